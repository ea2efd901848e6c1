#include "mfc/CCmdTarget.h"

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* entries, UINT message,
                                            UINT code, UINT id)
{
  for (const AFX_MSGMAP_ENTRY* e = entries; e->nSig != AfxSig_end; ++e) {
    if (e->nMessage == message && e->nCode == code && id >= e->nID && id <= e->nLastID)
      return e;
  }
  return nullptr;
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
  return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message, UINT code, UINT id) const
{
  for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
       map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
    if (const AFX_MSGMAP_ENTRY* e = AfxFindMessageEntry(map->lpEntries, message, code, id))
      return e;
  }
  return nullptr;
}
