// CObject: the root of the MFC class tree. Objects are neither copied nor
// assigned through it; the destructor is virtual so that owners may delete
// any derived object through a CObject pointer.
#pragma once

class CObject {
public:
  CObject() = default;
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
  virtual ~CObject() = default;
};
