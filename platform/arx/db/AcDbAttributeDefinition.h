// AcDbAttributeDefinition: the template of an attribute in a block definition (a text with a tag).
#pragma once

#include "arx/db/AcDbText.h"

class AcDbAttributeDefinition : public AcDbText {
public:
  ACRX_DECLARE_MEMBERS(AcDbAttributeDefinition);
  AcDbAttributeDefinition() = default;

  const char* tagConst() const { return m_tag.c_str(); }
  void setTag(const char* tag) { m_tag = tag != nullptr ? tag : ""; }
  const char* promptConst() const { return m_prompt.c_str(); }
  void setPrompt(const char* prompt) { m_prompt = prompt != nullptr ? prompt : ""; }
  // The box of the tag, which is what the host shows for a definition; none for an empty tag.
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

private:
  std::string m_tag;    // attribute tag
  std::string m_prompt; // prompt shown when inserting
};
