#include "arx/db/AcDbText.h"

#include "arx/db/AcDbAttribute.h"
#include "arx/db/AcDbAttributeDefinition.h"
#include "arx/db/AcDbShape.h"
#include "arx/ge/AcGeMatrix3d.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

ACRX_DEFINE_MEMBERS(AcDbText, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbAttributeDefinition, AcDbText)
ACRX_DEFINE_MEMBERS(AcDbAttribute, AcDbText)
ACRX_DEFINE_MEMBERS(AcDbShape, AcDbEntity)

namespace {
// The number of character cells of a text: "%%x" control codes count as one.
double characterCount(const std::string& text)
{
  double n = 0.0;
  for (std::size_t i = 0; i < text.size(); ++n)
    i += text.compare(i, 2, "%%") == 0 && i + 2 < text.size() ? 3 : 1;
  return n;
}

// The world box of the rectangle [0, width] x [0, height] of a plane whose x axis
// is `xDir` and y axis `yDir` (both world vectors), placed at `origin`.
void boxOfRectangle(const AcGePoint3d& origin, const AcGeVector3d& xDir, const AcGeVector3d& yDir,
                    double width, double height, AcDbExtents& extents)
{
  AcDbExtents box;
  box.addPoint(origin);
  box.addPoint(origin + xDir * width);
  box.addPoint(origin + yDir * height);
  box.addPoint(origin + xDir * width + yDir * height);
  extents = box;
}

// The world directions of a text's baseline and up vector: rotation about the
// normal, from the OCS x axis.
void textAxes(const AcGeVector3d& normal, double rotation, AcGeVector3d& xDir, AcGeVector3d& yDir)
{
  AcGeMatrix3d ocs = AcGeMatrix3d::planeToWorld(normal);
  xDir = AcGeVector3d(std::cos(rotation), std::sin(rotation), 0.0).transformBy(ocs);
  yDir = AcGeVector3d(-std::sin(rotation), std::cos(rotation), 0.0).transformBy(ocs);
}
} // namespace

char* AcDbText::textString() const
{
  char* copy = static_cast<char*>(std::malloc(m_text.size() + 1));
  if (copy != nullptr)
    std::memcpy(copy, m_text.c_str(), m_text.size() + 1);
  return copy;
}

Acad::ErrorStatus AcDbText::getGeomExtents(AcDbExtents& extents) const
{
  return extentsOf(m_text, extents);
}

Acad::ErrorStatus AcDbAttributeDefinition::getGeomExtents(AcDbExtents& extents) const
{
  return extentsOf(m_tag, extents);
}

Acad::ErrorStatus AcDbText::extentsOf(const std::string& text, AcDbExtents& extents) const
{
  if (text.empty())
    return Acad::eInvalidExtents; // nothing to measure: no box, not a zero-width one
  double width = characterCount(text) * m_height * m_widthFactor;
  double height = m_height;
  if (!std::isfinite(width) || !std::isfinite(height))
    return Acad::eInvalidExtents;
  AcGeVector3d xDir, yDir;
  textAxes(m_normal, m_rotation, xDir, yDir);
  // The rectangle spans [x0, x0 + width] x [y0, y0 + height] from the anchor: the
  // insertion point, or the alignment point by the justification.
  AcGePoint3d anchor = m_position;
  double x0 = 0.0;
  double y0 = 0.0;
  const bool aligned = m_horzMode == kTextAlign || m_horzMode == kTextFit;
  if (aligned) {
    // Aligned and fitted texts run from the first to the second alignment point.
    AcGeVector3d run = m_alignment - m_position;
    width = run.length();
    if (width > 0.0) {
      xDir = run.normal();
      AcGeVector3d n = m_normal.isZeroLength() ? AcGeVector3d::kZAxis : m_normal.normal();
      yDir = n.crossProduct(xDir).normal();
    }
  } else if (m_horzMode != kTextLeft || m_vertMode != kTextBase) {
    // Other justifications are placed by the alignment point.
    anchor = m_alignment;
    if (m_horzMode == kTextCenter || m_horzMode == kTextMid)
      x0 = -width / 2.0;
    else if (m_horzMode == kTextRight)
      x0 = -width;
    if (m_horzMode == kTextMid || m_vertMode == kTextVertMid)
      y0 = -height / 2.0;
    else if (m_vertMode == kTextTop)
      y0 = -height;
  }
  // Mirrored about the anchor: [x0, x0 + w] becomes [-x0 - w, -x0].
  if (m_mirroredX && !aligned)
    x0 = -x0 - width;
  if (m_mirroredY)
    y0 = -y0 - height;
  boxOfRectangle(anchor + xDir * x0 + yDir * y0, xDir, yDir, width, height, extents);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbShape::getGeomExtents(AcDbExtents& extents) const
{
  double width = m_size * m_widthFactor;
  if (!std::isfinite(width) || !std::isfinite(m_size))
    return Acad::eInvalidExtents;
  AcGeVector3d xDir, yDir;
  textAxes(m_normal, m_rotation, xDir, yDir);
  boxOfRectangle(m_position, xDir, yDir, width, m_size, extents);
  return Acad::eOk;
}
