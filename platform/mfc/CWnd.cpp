#include "mfc/CWnd.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace {

// Windows with an attached object (user-interface thread only).
std::unordered_map<HWND, CWnd*>& permanentMap()
{
  static std::unordered_map<HWND, CWnd*> map;
  return map;
}

// Temporary objects of windows without one. The permanent map is made first so
// that it outlives this one: a temporary's destructor consults it at exit.
std::unordered_map<HWND, std::unique_ptr<CWnd>>& temporaryMap()
{
  permanentMap();
  static std::unordered_map<HWND, std::unique_ptr<CWnd>> map;
  return map;
}

// The message being handled, for CWnd::Default; nested sends save and restore it.
MSG g_currentMsg;

void purgeDeadTemporaries()
{
  auto& temps = temporaryMap();
  for (auto it = temps.begin(); it != temps.end();) {
    if (!::IsWindow(it->first)) {
      it->second->m_hWnd = nullptr;
      it = temps.erase(it);
    } else {
      ++it;
    }
  }
}

} // namespace

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd()
{
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
    restoreProcedure();
    Detach();
  }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
  auto& map = permanentMap();
  auto it = map.find(hWnd);
  return it != map.end() ? it->second : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
  if (hWnd == nullptr)
    return nullptr;
  if (CWnd* wnd = FromHandlePermanent(hWnd))
    return wnd;
  purgeDeadTemporaries();
  auto& temps = temporaryMap();
  auto it = temps.find(hWnd);
  if (it != temps.end())
    return it->second.get();
  auto wnd = std::make_unique<CWnd>();
  wnd->m_hWnd = hWnd;
  CWnd* result = wnd.get();
  temps.emplace(hWnd, std::move(wnd));
  return result;
}

void CWnd::DeleteTempMap()
{
  for (auto& entry : temporaryMap())
    entry.second->m_hWnd = nullptr;
  temporaryMap().clear();
}

BOOL CWnd::Attach(HWND hWnd)
{
  if (hWnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWnd) != nullptr)
    return FALSE;
  m_hWnd = hWnd;
  permanentMap()[hWnd] = this;
  return TRUE;
}

HWND CWnd::Detach()
{
  HWND hWnd = m_hWnd;
  if (hWnd != nullptr) {
    auto& map = permanentMap();
    auto it = map.find(hWnd);
    if (it != map.end() && it->second == this)
      map.erase(it);
  }
  m_hWnd = nullptr;
  return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
  if (!::IsWindow(hWnd) || !Attach(hWnd))
    return FALSE;
  // Windows of another process cannot be subclassed: SetWindowLongPtr fails.
  ::SetLastError(0);
  const LONG_PTR old = ::SetWindowLongPtrA(
      hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(static_cast<WNDPROC>(AfxWndProc)));
  if (old == 0 && ::GetLastError() != 0) {
    Detach();
    return FALSE;
  }
  m_pfnSuper = reinterpret_cast<WNDPROC>(old);
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
  if (parent == nullptr)
    return FALSE;
  HWND control = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
  return control != nullptr && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow()
{
  if (m_hWnd == nullptr)
    return nullptr;
  restoreProcedure();
  return Detach();
}

void CWnd::restoreProcedure()
{
  if (m_pfnSuper == nullptr)
    return;
  // Only undo our own replacement: a later subclasser's procedure stays.
  if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == AfxWndProc)
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
}

CWnd* CWnd::GetDlgItem(int id) const
{
  return FromHandle(::GetDlgItem(m_hWnd, id));
}

void CWnd::GetWindowText(CString& text) const
{
  const int length = ::GetWindowTextLengthA(m_hWnd);
  ::GetWindowTextA(m_hWnd, text.GetBufferSetLength(length), length + 1);
  text.ReleaseBuffer();
}

BOOL CWnd::DestroyWindow()
{
  if (m_hWnd == nullptr)
    return FALSE;
  HWND hWnd = m_hWnd;
  const BOOL destroyed = ::DestroyWindow(hWnd);
  // A temporary or foreign window sends us no WM_NCDESTROY: forget it here.
  if (destroyed && m_hWnd == hWnd && FromHandlePermanent(hWnd) != this)
    m_hWnd = nullptr;
  return destroyed;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result))
    result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam))
      return FALSE;
    *result = 0;
    return TRUE;
  }
  const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, 0, 0);
  if (entry == nullptr)
    return FALSE;
  switch (entry->nSig) {
  case AfxSig_vv:
    (this->*entry->pfn)();
    break;
  default:
    return FALSE;
  }
  *result = 0;
  return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
  // A notification of control LOWORD(wParam) with code HIWORD(wParam); menu
  // commands and accelerators come with codes 0 and 1.
  const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_COMMAND, HIWORD(wParam), LOWORD(wParam));
  if (entry == nullptr || entry->nSig != AfxSig_vv)
    return FALSE;
  (this->*entry->pfn)();
  return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  if (m_pfnSuper != nullptr)
    return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
  return DefWindowProc(g_currentMsg.message, g_currentMsg.wParam, g_currentMsg.lParam);
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
  CWnd* wnd = FromHandlePermanent(hWnd);
  if (wnd == nullptr)
    return ::DefWindowProcA(hWnd, message, wParam, lParam);

  const MSG saved = g_currentMsg;
  g_currentMsg.hwnd = hWnd;
  g_currentMsg.message = message;
  g_currentMsg.wParam = wParam;
  g_currentMsg.lParam = lParam;
  const LRESULT result = wnd->WindowProc(message, wParam, lParam);
  g_currentMsg = saved;

  // The last message a window gets: give the window back and untie the object.
  if (message == WM_NCDESTROY && FromHandlePermanent(hWnd) == wnd) {
    wnd->restoreProcedure();
    wnd->Detach();
    wnd->PostNcDestroy();
  }
  return result;
}
