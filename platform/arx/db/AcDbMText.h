// AcDbMText: multiline text (not drawn by the preview; kept with its location and contents).
#pragma once

#include "arx/db/AcDbEntity.h"

#include <string>

class AcDbMText : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbMText);
  AcDbMText() = default;

  AcGePoint3d location() const { return m_location; }
  double textHeight() const { return m_height; }
  const char* contents() const { return m_text.c_str(); }
  void setLocation(const AcGePoint3d& p) { m_location = p; }
  void setTextHeight(double h) { m_height = h; }
  void setContents(const char* text) { m_text = text != nullptr ? text : ""; }

private:
  std::string m_text;     // narrow text with format codes
  AcGePoint3d m_location; // world coordinates
  double m_height = 1.0;
};
