// AcDbHatch: a hatched (or solid-filled) area: boundary loops and pattern lines in
// the hatch's plane (OCS), at its elevation. The drawn pattern lines are made on
// first request from the pattern definition and the loops (at most 1,000,000 per
// hatch); a solid fill has none.
#pragma once

#include "arx/db/AcDbEntity.h"
#include "arx/hatch/HatchPattern.h"

#include <memory>
#include <string>
#include <vector>

class AcDbHatch : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbHatch);
  AcDbHatch();
  ~AcDbHatch() override;

  static const int kMaxHatchLines = 1000000;

  // The number of drawn pattern lines (0 for a solid fill).
  int numHatchLines() const;
  // Line `index` as two OCS points; eInvalidIndex out of range (points left alone).
  Acad::ErrorStatus getHatchLineDataAt(int index, AcGePoint2d& startPoint,
                                       AcGePoint2d& endPoint) const;
  double elevation() const { return m_elevation; }
  AcGeVector3d normal() const { return m_normal; }
  bool isSolidFill() const { return m_solid; }
  const char* patternName() const { return m_patternName.c_str(); }
  int numLoops() const { return static_cast<int>(m_loops.size()); }

  void setElevation(double z) { m_elevation = z; }
  void setNormal(const AcGeVector3d& n) { m_normal = n; }
  void setSolidFill(bool solid);
  void setPatternName(const char* name) { m_patternName = name != nullptr ? name : ""; }
  // The pattern's line families, already rotated and scaled into the hatch's plane.
  void setPatternDefinition(std::vector<HatchPatternLine> lines);
  void appendLoop(HatchLoop loop);

private:
  void evaluate() const;

  std::vector<HatchPatternLine> m_pattern;   // line families
  std::vector<HatchLoop> m_loops;            // boundary loops
  mutable std::vector<HatchSegment> m_lines; // drawn lines, made on demand
  mutable bool m_evaluated = false;          // m_lines is up to date
  std::string m_patternName;                 // e.g. "ANSI31", "SOLID"
  AcGeVector3d m_normal{0.0, 0.0, 1.0};      // the hatch's plane
  double m_elevation = 0.0;                  // z of the plane in its OCS
  bool m_solid = false;                      // solid fill: no pattern lines
};
