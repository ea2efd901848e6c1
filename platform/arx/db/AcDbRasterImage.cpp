#include "arx/db/AcDbRasterImage.h"

#include <cmath>

ACRX_DEFINE_MEMBERS(AcDbImage, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbRasterImage, AcDbImage)
ACRX_DEFINE_MEMBERS(AcDbWipeout, AcDbRasterImage)

void AcDbRasterImage::setOrientation(const AcGePoint3d& origin, const AcGeVector3d& uPixel,
                                     const AcGeVector3d& vPixel)
{
  m_origin = origin;
  m_u = uPixel;
  m_v = vPixel;
}

void AcDbRasterImage::setClipBoundary(const std::vector<AcGePoint2d>& boundary)
{
  m_clip = boundary;
}

Acad::ErrorStatus AcDbRasterImage::getVertices(AcGePoint3dArray& vertices) const
{
  const double w = m_size.x;
  const double h = m_size.y;
  if (!(w > 0.0) || !(h > 0.0) || !std::isfinite(w) || !std::isfinite(h))
    return Acad::eInvalidInput;
  // Pixel coordinates have (0, 0) at the centre of the top-left pixel, y down; the
  // image's lower-left corner (the origin) is pixel point (-0.5, h - 0.5).
  auto toWorld = [&](double px, double py) {
    return m_origin + m_u * (px + 0.5) + m_v * (h - 0.5 - py);
  };
  std::vector<AcGePoint2d> frame;
  if (m_clipped && m_clip.size() == 2) {
    const AcGePoint2d a = m_clip[0], b = m_clip[1];
    frame = {a, AcGePoint2d(b.x, a.y), b, AcGePoint2d(a.x, b.y)};
  } else if (m_clipped && m_clip.size() > 2) {
    frame = m_clip;
  } else {
    frame = {AcGePoint2d(-0.5, h - 0.5), AcGePoint2d(w - 0.5, h - 0.5), AcGePoint2d(w - 0.5, -0.5),
             AcGePoint2d(-0.5, -0.5)};
  }
  if (frame.size() > 1 && frame.front() == frame.back())
    frame.pop_back(); // closed below, once
  for (const AcGePoint2d& p : frame)
    vertices.append(toWorld(p.x, p.y));
  vertices.append(toWorld(frame.front().x, frame.front().y));
  return Acad::eOk;
}
