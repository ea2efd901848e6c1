// AcRxObject and AcRxClass: the host's run-time class system.
//   AcRxObject  root of every class that has a run-time class
//   AcRxClass   a class descriptor: name and parent; registered in the class dictionary
//   ACRX_DECLARE_MEMBERS / ACRX_DEFINE_MEMBERS  give a class its descriptor, isA() and cast()
#pragma once

class AcRxClass;

class AcRxObject {
public:
  virtual ~AcRxObject();

  static AcRxClass* desc();
  virtual AcRxClass* isA() const;
  static AcRxObject* cast(const AcRxObject* object) { return const_cast<AcRxObject*>(object); }

  // True when this object's class is `cls` or derives from it.
  bool isKindOf(const AcRxClass* cls) const;
};

class AcRxClass : public AcRxObject {
public:
  // Builds the descriptor and registers it in the class dictionary under `name`.
  AcRxClass(const char* name, AcRxClass* parent);
  ~AcRxClass() override;

  static AcRxClass* desc();
  AcRxClass* isA() const override;

  const char* name() const { return m_name; }
  AcRxClass* myParent() const { return m_parent; }
  // True when this class is `other` or derives from it, through any number of parents.
  bool isDerivedFrom(const AcRxClass* other) const;

private:
  const char* m_name;  // the class's name, a string constant
  AcRxClass* m_parent; // the parent class, null for AcRxObject
};

// In a class body: the descriptor, the run-time class and a checked cast.
#define ACRX_DECLARE_MEMBERS(CLASS)                                                                \
  static AcRxClass* desc();                                                                        \
  AcRxClass* isA() const override;                                                                 \
  static CLASS* cast(const AcRxObject* object)                                                     \
  {                                                                                                \
    return object != nullptr && object->isKindOf(CLASS::desc())                                    \
               ? static_cast<CLASS*>(const_cast<AcRxObject*>(object))                              \
               : nullptr;                                                                          \
  }

// In one source file: the descriptor is made (and registered) on first use.
#define ACRX_DEFINE_MEMBERS(CLASS, PARENT)                                                         \
  AcRxClass* CLASS::desc()                                                                         \
  {                                                                                                \
    static AcRxClass* const cls = new AcRxClass(#CLASS, PARENT::desc());                           \
    return cls;                                                                                    \
  }                                                                                                \
  AcRxClass* CLASS::isA() const                                                                    \
  {                                                                                                \
    return CLASS::desc();                                                                          \
  }
