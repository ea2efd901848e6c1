#include "mfc/CGdiObject.h"

#include <memory>
#include <unordered_map>

namespace {

// Handle maps of the user-interface thread: handles attached to a wrapper, and
// the temporary wrappers made for handles nobody attached (a DC's stock pen).
struct GdiHandleMaps {
  std::unordered_map<HGDIOBJ, CGdiObject*> permanent;
  std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>> temporary;
};

GdiHandleMaps& maps()
{
  static GdiHandleMaps m;
  return m;
}

} // namespace

CGdiObject::~CGdiObject()
{
  DeleteObject();
}

int CGdiObject::GetObject(int count, LPVOID object) const
{
  return ::GetObjectA(m_hObject, count, object);
}

UINT CGdiObject::GetObjectType() const
{
  return static_cast<UINT>(::GetObjectType(m_hObject));
}

BOOL CGdiObject::Attach(HGDIOBJ handle)
{
  if (handle == nullptr || m_hObject != nullptr) {
    return FALSE;
  }
  m_hObject = handle;
  maps().permanent[handle] = this;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
  HGDIOBJ handle = m_hObject;
  if (handle != nullptr) {
    auto it = maps().permanent.find(handle);
    if (it != maps().permanent.end() && it->second == this) {
      maps().permanent.erase(it);
    }
  }
  m_hObject = nullptr;
  return handle;
}

BOOL CGdiObject::DeleteObject()
{
  if (m_hObject == nullptr) {
    return FALSE;
  }
  return ::DeleteObject(Detach());
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ handle)
{
  return fromHandleAs<CGdiObject>(handle);
}

void CGdiObject::DeleteTempMap()
{
  // A temporary wrapper owns nothing: forget its handle before it is destroyed.
  for (auto& entry : maps().temporary) {
    entry.second->m_hObject = nullptr;
  }
  maps().temporary.clear();
}

CGdiObject* CGdiObject::findPermanent(HGDIOBJ handle)
{
  auto it = maps().permanent.find(handle);
  return it == maps().permanent.end() ? nullptr : it->second;
}

CGdiObject* CGdiObject::findTemporary(HGDIOBJ handle)
{
  auto it = maps().temporary.find(handle);
  return it == maps().temporary.end() ? nullptr : it->second.get();
}

void CGdiObject::addTemporary(CGdiObject* wrapper)
{
  std::unique_ptr<CGdiObject>& slot = maps().temporary[wrapper->m_hObject];
  if (slot) {
    slot->m_hObject = nullptr; // a wrapper of another class for the same handle
  }
  slot.reset(wrapper);
}
