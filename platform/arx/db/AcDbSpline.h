// AcDbSpline: a NURBS curve in world coordinates, with its control points and,
// when it was drawn through points, its fit points.
#pragma once

#include "arx/db/AcDbCurve.h"
#include "arx/db/AcDbObjectPool.h"

#include <vector>

class AcDbSpline : public AcDbCurve {
public:
  ACRX_DECLARE_MEMBERS(AcDbSpline);
  AcDbSpline() = default;

  bool hasFitData() const { return !m_fitPoints.empty(); }
  int numFitPoints() const { return static_cast<int>(m_fitPoints.size()); }
  // eInvalidIndex outside 0 .. count - 1 (the point is then left alone).
  Acad::ErrorStatus getFitPointAt(int index, AcGePoint3d& point) const;
  int numControlPoints() const { return static_cast<int>(m_controlPoints.size()); }
  Acad::ErrorStatus getControlPointAt(int index, AcGePoint3d& point) const;
  int degree() const { return m_degree; }
  bool isClosed() const override { return m_closed; }

  void setDegree(int degree) { m_degree = degree; }
  void setClosed(bool closed) { m_closed = closed; }
  void appendControlPoint(const AcGePoint3d& p) { m_controlPoints.push_back(p); }
  void appendFitPoint(const AcGePoint3d& p) { m_fitPoints.push_back(p); }
  // Room for that many control and fit points.
  void reserve(std::size_t controlPoints, std::size_t fitPoints)
  {
    m_controlPoints.reserve(controlPoints);
    m_fitPoints.reserve(fitPoints);
  }

private:
  std::vector<AcGePoint3d, AcDbPoolAllocator<AcGePoint3d>> m_controlPoints; // world coordinates
  std::vector<AcGePoint3d, AcDbPoolAllocator<AcGePoint3d>>
      m_fitPoints; // world coordinates; empty: no fit data
  int m_degree = 3;
  bool m_closed = false;
};
