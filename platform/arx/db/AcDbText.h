// AcDbText: a single line of text. Positions are in world coordinates; rotation
// is about the text's normal, from the OCS x axis.
//
// Extents without fonts: no font file is at hand, so every character is taken as
// a cell `height` * `widthFactor` wide and `height` tall, standing on the baseline.
// A "%%x" control code counts as one character. The box is that of the rotated
// text rectangle placed by the alignment, mapped to world coordinates. A text
// generated backward is mirrored in x about its alignment point, one generated
// upside down in y (an aligned or fitted text keeps the run between its two
// points). An empty text has no extents (eInvalidExtents).
#pragma once

#include "arx/db/AcDbEntity.h"

#include <string>

class AcDbText : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbText);
  AcDbText() = default;

  enum TextHorzMode {
    kTextLeft = 0,
    kTextCenter = 1,
    kTextRight = 2,
    kTextAlign = 3,
    kTextMid = 4,
    kTextFit = 5
  };
  enum TextVertMode { kTextBase = 0, kTextBottom = 1, kTextVertMid = 2, kTextTop = 3 };

  AcGePoint3d position() const { return m_position; }
  AcGePoint3d alignmentPoint() const { return m_alignment; }
  double height() const { return m_height; }
  double widthFactor() const { return m_widthFactor; }
  double rotation() const { return m_rotation; }
  double oblique() const { return m_oblique; }
  TextHorzMode horizontalMode() const { return static_cast<TextHorzMode>(m_horzMode); }
  TextVertMode verticalMode() const { return static_cast<TextVertMode>(m_vertMode); }
  AcGeVector3d normal() const { return m_normal; }
  // The generation flags: backward (mirrored in x), upside down (mirrored in y).
  bool isMirroredInX() const { return m_mirroredX; }
  bool isMirroredInY() const { return m_mirroredY; }
  // The text as a new malloc'd copy, released by the caller with free().
  char* textString() const;
  const char* textStringConst() const { return m_text.c_str(); }

  void setPosition(const AcGePoint3d& p) { m_position = p; }
  void setAlignmentPoint(const AcGePoint3d& p) { m_alignment = p; }
  void setHeight(double h) { m_height = h; }
  void setWidthFactor(double w) { m_widthFactor = w; }
  void setRotation(double r) { m_rotation = r; }
  void setOblique(double o) { m_oblique = o; }
  void setHorizontalMode(TextHorzMode m) { m_horzMode = static_cast<unsigned char>(m); }
  void setVerticalMode(TextVertMode m) { m_vertMode = static_cast<unsigned char>(m); }
  void setNormal(const AcGeVector3d& n) { m_normal = n; }
  void setTextString(const char* text) { m_text = text != nullptr ? text : ""; }
  void setMirroredInX(bool mirrored) { m_mirroredX = mirrored; }
  void setMirroredInY(bool mirrored) { m_mirroredY = mirrored; }

  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

protected:
  // The extents of `text` set with this entity's placement, height and flags.
  Acad::ErrorStatus extentsOf(const std::string& text, AcDbExtents& extents) const;

private:
  std::string m_text;                   // narrow text (process code page)
  AcGePoint3d m_position;               // first alignment point, world coordinates
  AcGePoint3d m_alignment;              // second alignment point, world coordinates
  AcGeVector3d m_normal{0.0, 0.0, 1.0}; // the text's plane
  double m_height = 1.0;
  double m_widthFactor = 1.0;
  double m_rotation = 0.0; // radians
  double m_oblique = 0.0;  // radians
  unsigned char m_horzMode = 0;
  unsigned char m_vertMode = 0;
  bool m_mirroredX = false; // generated backward
  bool m_mirroredY = false; // generated upside down
};
