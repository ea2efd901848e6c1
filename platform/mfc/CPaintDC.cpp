#include "mfc/CPaintDC.h"

#include "mfc/CWnd.h"

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd)
{
  Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
  // The paint DC belongs to the window: EndPaint releases it, DeleteDC must not.
  ::EndPaint(m_hWnd, &m_ps);
  Detach();
}
