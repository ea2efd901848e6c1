// CCmdTarget: an object with a message map. The table of the most derived class
// comes first; each table's base function leads to the next one up to
// CCmdTarget's own, which is empty and ends the chain.
#pragma once

#include "mfc/AfxMsgMap.h"
#include "mfc/CObject.h"

class CCmdTarget : public CObject {
public:
  CCmdTarget() = default;
  ~CCmdTarget() override = default;

  static const AFX_MSGMAP* GetThisMessageMap();

  // Finds the handler entry for a message in this object's tables, most derived
  // first; null when no table has one.
  const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT code, UINT id) const;

protected:
  virtual const AFX_MSGMAP* GetMessageMap() const;
};
