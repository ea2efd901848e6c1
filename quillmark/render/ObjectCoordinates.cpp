#include "quillmark/render/ObjectCoordinates.h"

#include "quillmark/view/CBlockView.h"

namespace {

// The world z axis, of any length, and the zero vector (a damaged entity, read
// as the z axis) give the world's own system.
bool isWorldZ(const AcGeVector3d& n)
{
  return n.x == 0.0 && n.y == 0.0 && n.z >= 0.0;
}

} // namespace

ObjectCoordinates::ObjectCoordinates(CBlockView& view, const AcGeVector3d& normal)
    : m_view(view), m_normal(normal), m_tilted(!isWorldZ(normal))
{
  if (!m_tilted) {
    return;
  }
  m_savedXform = view.m_xform;
  m_savedOffset = view.m_offset;
  // A point q of the system lands where the view put the world point P q:
  // m_xform (P q + m_offset), so the offset is folded into the transform.
  view.m_xform = view.m_xform * AcGeMatrix3d::translation(view.m_offset.asVector()) *
                 AcGeMatrix3d::planeToWorld(normal);
  view.m_offset = AcGePoint3d::kOrigin;
}

ObjectCoordinates::~ObjectCoordinates()
{
  if (m_tilted) {
    m_view.m_xform = m_savedXform;
    m_view.m_offset = m_savedOffset;
  }
}

AcGePoint3d ObjectCoordinates::fromWorld(const AcGePoint3d& p) const
{
  if (!m_tilted) {
    return p;
  }
  AcGePoint3d q = p;
  return q.transformBy(AcGeMatrix3d::worldToPlane(m_normal));
}
