// AcDbAttribute: the value of an attribute, owned by a block reference (a text with a tag).
#pragma once

#include "arx/db/AcDbText.h"

class AcDbAttribute : public AcDbText {
public:
  ACRX_DECLARE_MEMBERS(AcDbAttribute);
  AcDbAttribute() = default;

  const char* tagConst() const { return m_tag.c_str(); }
  void setTag(const char* tag) { m_tag = tag != nullptr ? tag : ""; }

private:
  std::string m_tag; // attribute tag
};
