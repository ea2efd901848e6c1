// Message maps: the tables that route window messages and control
// notifications to member functions, and the macros that write them.
//   AFX_MSGMAP_ENTRY   one route: message, notification code, control ids, handler
//   AFX_MSGMAP         a class's table and the function that gives its base's table
//   DECLARE_MESSAGE_MAP / BEGIN_MESSAGE_MAP / END_MESSAGE_MAP   write a class's table
//   ON_WM_PAINT, ON_COMMAND, ON_BN_CLICKED, ON_LBN_SELCHANGE, ON_EN_CHANGE   entries
//
// As in MFC 4.2 and its ClassWizard, entries name the handler without its class:
//   BEGIN_MESSAGE_MAP(CBlockDialog, CDialog)
//     ON_BN_CLICKED(3, OnAbout)
//   END_MESSAGE_MAP()
// Every handler of these entries takes no argument and returns nothing.
//
// The base table is reached through a function, not a data pointer, as in
// MFC's shared-DLL build: a table in another DLL is then found by a call.
#pragma once

#include "mfc/CObject.h"

#include <windows.h>

class CCmdTarget;

// A handler as the table stores it; the entry's signature says how to call it.
typedef void (CCmdTarget::*AFX_PMSG)();

// Handler signatures.
enum AfxSig : UINT {
  AfxSig_end = 0, // marks the end of a table
  AfxSig_vv = 1,  // void handler()
};

struct AFX_MSGMAP_ENTRY {
  UINT nMessage; // window message (WM_COMMAND for control notifications)
  UINT nCode;    // notification code (BN_CLICKED, ...), 0 for plain messages
  UINT nID;      // first control id, 0 for plain messages
  UINT nLastID;  // last control id of the range
  UINT_PTR nSig; // AfxSig of the handler
  AFX_PMSG pfn;  // the handler
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)(); // the base class's table, null for the root
  const AFX_MSGMAP_ENTRY* lpEntries;    // this class's entries, ended by AfxSig_end
};

// Finds the entry of `entries` for a message, notification code and control id,
// or returns null.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* entries, UINT message,
                                            UINT code, UINT id);

#define afx_msg

#define DECLARE_MESSAGE_MAP()                                                                      \
public:                                                                                            \
  static const AFX_MSGMAP* GetThisMessageMap();                                                    \
                                                                                                   \
protected:                                                                                         \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
  const AFX_MSGMAP* theClass::GetMessageMap() const                                                \
  {                                                                                                \
    return GetThisMessageMap();                                                                    \
  }                                                                                                \
  const AFX_MSGMAP* theClass::GetThisMessageMap()                                                  \
  {                                                                                                \
    typedef theClass ThisClass;                                                                    \
    typedef baseClass TheBaseClass;                                                                \
    static_cast<void>(static_cast<ThisClass*>(nullptr));                                           \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
  {                                                                                                \
    0, 0, 0, 0, AfxSig_end, nullptr                                                                \
  }                                                                                                \
  }                                                                                                \
  ;                                                                                                \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};    \
  return &messageMap;                                                                              \
  }

// A handler `void ThisClass::memberFxn()` as the table stores it.
#define AFX_VV_HANDLER(memberFxn)                                                                  \
  static_cast<AFX_PMSG>(static_cast<void (ThisClass::*)()>(&ThisClass::memberFxn))

// afx_msg void OnPaint();
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, AfxSig_vv, AFX_VV_HANDLER(OnPaint)},
// afx_msg void OnDestroy();
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, AfxSig_vv, AFX_VV_HANDLER(OnDestroy)},
// afx_msg void memberFxn();   a menu command or a button's click (code 0)
#define ON_COMMAND(id, memberFxn)                                                                  \
  {WM_COMMAND,                                                                                     \
   0,                                                                                              \
   static_cast<UINT>(id),                                                                          \
   static_cast<UINT>(id),                                                                          \
   AfxSig_vv,                                                                                      \
   AFX_VV_HANDLER(memberFxn)},
// afx_msg void memberFxn();   any WM_COMMAND notification `code` from control `id`
#define ON_CONTROL(code, id, memberFxn)                                                            \
  {WM_COMMAND, static_cast<UINT>(code),  static_cast<UINT>(id), static_cast<UINT>(id),             \
   AfxSig_vv,  AFX_VV_HANDLER(memberFxn)},
// afx_msg void memberFxn();
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
// afx_msg void memberFxn();
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
// afx_msg void memberFxn();
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
// afx_msg void memberFxn();
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
