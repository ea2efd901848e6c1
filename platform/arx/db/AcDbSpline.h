// AcDbSpline: a NURBS curve in world coordinates, with its control points and,
// when it was drawn through points, its fit points.
#pragma once

#include "arx/db/AcDbCurve.h"
#include "arx/db/AcDbObjectPool.h"
#include "arx/ge/AcGeVector3d.h"

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
  // The tangents at the first and last fit point (world coordinates); a tangent the
  // spline was drawn without is the zero vector.
  Acad::ErrorStatus getFitTangents(AcGeVector3d& startTangent, AcGeVector3d& endTangent) const
  {
    startTangent = m_startTangent;
    endTangent = m_endTangent;
    return Acad::eOk;
  }

  void setDegree(int degree) { m_degree = degree; }
  void setClosed(bool closed) { m_closed = closed; }
  void setFitTangents(const AcGeVector3d& startTangent, const AcGeVector3d& endTangent)
  {
    m_startTangent = startTangent;
    m_endTangent = endTangent;
  }
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
      m_fitPoints;             // world coordinates; empty: no fit data
  AcGeVector3d m_startTangent; // zero when not given
  AcGeVector3d m_endTangent;
  int m_degree = 3;
  bool m_closed = false;
};
