// CGdiObject: the base of the GDI object wrappers (CPen, CBrush, CRgn).
//   m_hObject       the wrapped handle; owned: the destructor deletes it
//   Attach/Detach   take or give up a handle without creating or deleting it
//   DeleteObject    delete the handle and forget it
//   FromHandle      the wrapper of a handle: the attached (permanent) one if
//                   there is one, else a temporary wrapper that owns nothing
//   DeleteTempMap   free the temporary wrappers (MFC does this at idle time)
// As in MFC, the maps belong to the user-interface thread that uses them.
#pragma once

#include <windows.h>

#include <typeinfo>

class CGdiObject {
public:
  CGdiObject() = default;
  virtual ~CGdiObject();
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  // Attributes
  HGDIOBJ m_hObject = nullptr;
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  operator HGDIOBJ() const { return m_hObject; }
  int GetObject(int count, LPVOID object) const;
  UINT GetObjectType() const;

  // Operations
  BOOL Attach(HGDIOBJ handle);
  HGDIOBJ Detach();
  BOOL DeleteObject();

  static CGdiObject* FromHandle(HGDIOBJ handle);
  static void DeleteTempMap();

protected:
  // The wrapper of `handle` of class T: the permanent one when it is a T, else
  // a temporary T made on first request and kept until DeleteTempMap.
  template <class T> static T* fromHandleAs(HGDIOBJ handle)
  {
    if (handle == nullptr) {
      return nullptr;
    }
    if (T* permanent = asKind<T>(findPermanent(handle))) {
      return permanent;
    }
    if (T* temp = asKind<T>(findTemporary(handle))) {
      return temp;
    }
    T* made = new T;
    made->m_hObject = handle;
    addTemporary(made);
    return made;
  }

  // `object` as a T, or null. Most wrappers are of the very class asked for (a paint
  // selects a pen for a pen), which the type's identity tells at once.
  template <class T> static T* asKind(CGdiObject* object)
  {
    if (object == nullptr) {
      return nullptr;
    }
    if (typeid(*object) == typeid(T)) {
      return static_cast<T*>(object);
    }
    return dynamic_cast<T*>(object);
  }

private:
  static CGdiObject* findPermanent(HGDIOBJ handle);
  static CGdiObject* findTemporary(HGDIOBJ handle);
  static void addTemporary(CGdiObject* wrapper);
};
