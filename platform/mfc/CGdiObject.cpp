#include "mfc/CGdiObject.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace {

// Handles to values, in one array probed linearly from each handle's home slot: no
// allocation per entry, as a preview attaches and detaches a pen and a brush at every
// change of colour. Erasing moves later entries of a probe run back (no tombstones).
template <class V> class HandleTable {
public:
  V* find(HGDIOBJ handle)
  {
    size_t i = indexOf(handle);
    return i == kNone ? nullptr : &m_slots[i].value;
  }

  // The value of `handle`, made empty when the handle has none yet: the probe ends at
  // the handle or at the free slot where it would be.
  V& at(HGDIOBJ handle)
  {
    if ((m_count + 1) * 2 > m_slots.size()) {
      grow();
    }
    size_t i = home(handle);
    while (m_slots[i].key != handle && m_slots[i].key != nullptr) {
      i = next(i);
    }
    if (m_slots[i].key == nullptr) {
      m_slots[i].key = handle;
      ++m_count;
    }
    return m_slots[i].value;
  }

  // Forgets `handle` when its value is `value`.
  void erase(HGDIOBJ handle, const V& value)
  {
    size_t hole = indexOf(handle);
    if (hole == kNone || !(m_slots[hole].value == value)) {
      return;
    }
    m_slots[hole] = Slot();
    --m_count;
    for (size_t j = next(hole); m_slots[j].key != nullptr; j = next(j)) {
      // An entry stays where it is when its home lies after the hole, up to it.
      size_t k = home(m_slots[j].key);
      bool stays = hole <= j ? (hole < k && k <= j) : (hole < k || k <= j);
      if (!stays) {
        m_slots[hole] = std::move(m_slots[j]);
        m_slots[j] = Slot();
        hole = j;
      }
    }
  }

  template <class F> void forEach(F f)
  {
    for (Slot& slot : m_slots) {
      if (slot.key != nullptr) {
        f(slot.value);
      }
    }
  }

  void clear()
  {
    m_slots.clear();
    m_count = 0;
  }

private:
  static const size_t kNone = ~size_t(0);
  size_t indexOf(HGDIOBJ handle) const
  {
    if (m_slots.empty()) {
      return kNone;
    }
    for (size_t i = home(handle);; i = next(i)) {
      if (m_slots[i].key == handle) {
        return i;
      }
      if (m_slots[i].key == nullptr) {
        return kNone;
      }
    }
  }
  struct Slot {
    HGDIOBJ key = nullptr; // null: a free slot
    V value{};
  };
  size_t home(HGDIOBJ handle) const
  {
    uint64_t h = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle));
    return static_cast<size_t>((h * 0x9E3779B97F4A7C15ull) >> 32) & (m_slots.size() - 1);
  }
  size_t next(size_t i) const { return (i + 1) & (m_slots.size() - 1); }
  void grow()
  {
    std::vector<Slot> old = std::move(m_slots);
    m_slots = std::vector<Slot>(old.empty() ? 16 : old.size() * 2);
    m_count = 0;
    for (Slot& slot : old) {
      if (slot.key != nullptr) {
        at(slot.key) = std::move(slot.value);
      }
    }
  }

  std::vector<Slot> m_slots; // a power of two of them, at most half in use
  size_t m_count = 0;
};

// Handle maps of the user-interface thread: handles attached to a wrapper, and
// the temporary wrappers made for handles nobody attached (a DC's stock pen).
struct GdiHandleMaps {
  HandleTable<CGdiObject*> permanent;
  HandleTable<std::unique_ptr<CGdiObject>> temporary;
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
  maps().permanent.at(handle) = this;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
  HGDIOBJ handle = m_hObject;
  if (handle != nullptr) {
    maps().permanent.erase(handle, this);
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
  maps().temporary.forEach(
      [](std::unique_ptr<CGdiObject>& wrapper) { wrapper->m_hObject = nullptr; });
  maps().temporary.clear();
}

CGdiObject* CGdiObject::findPermanent(HGDIOBJ handle)
{
  CGdiObject** attached = maps().permanent.find(handle);
  return attached == nullptr ? nullptr : *attached;
}

CGdiObject* CGdiObject::findTemporary(HGDIOBJ handle)
{
  std::unique_ptr<CGdiObject>* made = maps().temporary.find(handle);
  return made == nullptr ? nullptr : made->get();
}

void CGdiObject::addTemporary(CGdiObject* wrapper)
{
  std::unique_ptr<CGdiObject>& slot = maps().temporary.at(wrapper->m_hObject);
  if (slot) {
    slot->m_hObject = nullptr; // a wrapper of another class for the same handle
  }
  slot.reset(wrapper);
}
