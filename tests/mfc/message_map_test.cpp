// Message maps and subclassing: what reaches the map, what reaches the
// original window procedure, and what is left when the window or object goes.
#include "mfc/CStatic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The original procedure of the test windows: answers WM_USER with 42 and
// records every WM_COMMAND and WM_PAINT it sees.
std::vector<std::string> g_originalSaw;

LRESULT CALLBACK originalProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
  if (message == WM_USER)
    return 42;
  if (message == WM_COMMAND)
    g_originalSaw.push_back("command " + std::to_string(LOWORD(wParam)) + "/" +
                            std::to_string(HIWORD(wParam)));
  if (message == WM_PAINT) {
    g_originalSaw.push_back("paint");
    PAINTSTRUCT ps;
    BeginPaint(hWnd, &ps);
    EndPaint(hWnd, &ps);
    return 0;
  }
  return DefWindowProcA(hWnd, message, wParam, lParam);
}

HWND makeWindow()
{
  static const ATOM cls = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = originalProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QuillMapTest";
    return RegisterClassA(&wc);
  }();
  EXPECT_NE(cls, 0);
  return CreateWindowA("QuillMapTest", "test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                       nullptr, GetModuleHandleA(nullptr), nullptr);
}

void sendCommand(HWND hWnd, WORD id, WORD code)
{
  SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(id, code), 0);
}

class CBaseTarget : public CWnd {
public:
  std::vector<std::string> calls;
  afx_msg void OnSelchange() { calls.push_back("base selchange"); }
  afx_msg void OnChange() { calls.push_back("base change"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTarget, CWnd)
ON_LBN_SELCHANGE(7, OnSelchange)
ON_EN_CHANGE(6, OnChange)
END_MESSAGE_MAP()

class CDerivedTarget : public CBaseTarget {
public:
  afx_msg void OnPaint()
  {
    calls.push_back("paint");
    Default(); // the original procedure paints
  }
  afx_msg void OnClicked() { calls.push_back("clicked"); }
  afx_msg void OnChangeDerived() { calls.push_back("derived change"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTarget, CBaseTarget)
ON_WM_PAINT()
ON_BN_CLICKED(5, OnClicked)
ON_EN_CHANGE(6, OnChangeDerived)
END_MESSAGE_MAP()

class MessageMap : public ::testing::Test {
protected:
  void SetUp() override
  {
    g_originalSaw.clear();
    hWnd = makeWindow();
    ASSERT_NE(hWnd, nullptr);
  }
  void TearDown() override
  {
    if (IsWindow(hWnd))
      DestroyWindow(hWnd);
  }
  HWND hWnd = nullptr;
};

TEST_F(MessageMap, notifications_reach_the_entry_of_their_code_and_id_derived_first)
{
  CDerivedTarget target;
  ASSERT_TRUE(target.SubclassWindow(hWnd));
  sendCommand(hWnd, 5, BN_CLICKED);
  sendCommand(hWnd, 7, LBN_SELCHANGE); // only in the base map
  sendCommand(hWnd, 6, EN_CHANGE);     // in both maps: the derived entry wins
  sendCommand(hWnd, 5, BN_DOUBLECLICKED);
  sendCommand(hWnd, 8, BN_CLICKED);
  const std::vector<std::string> expected = {"clicked", "base selchange", "derived change"};
  EXPECT_EQ(target.calls, expected);
  // Commands without an entry go on to the original procedure, untouched.
  const std::vector<std::string> passed = {"command 5/" + std::to_string(BN_DOUBLECLICKED),
                                           "command 8/0"};
  EXPECT_EQ(g_originalSaw, passed);
  EXPECT_EQ(SendMessageA(hWnd, WM_USER, 0, 0), 42) << "an unmapped message's answer";
}

TEST_F(MessageMap, paint_goes_through_the_map_and_default_reaches_the_original_procedure)
{
  CDerivedTarget target;
  ASSERT_TRUE(target.SubclassWindow(hWnd));
  ShowWindow(hWnd, SW_SHOWNA);
  RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_FALSE(target.calls.empty());
  EXPECT_EQ(target.calls.back(), "paint");
  ASSERT_FALSE(g_originalSaw.empty());
  EXPECT_EQ(g_originalSaw.back(), "paint");
}

TEST_F(MessageMap, unsubclassing_restores_the_procedure_and_stops_routing)
{
  const LONG_PTR original = GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
  CDerivedTarget target;
  ASSERT_TRUE(target.SubclassWindow(hWnd));
  EXPECT_NE(GetWindowLongPtrA(hWnd, GWLP_WNDPROC), original);
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &target);

  EXPECT_EQ(target.UnsubclassWindow(), hWnd);
  EXPECT_EQ(GetWindowLongPtrA(hWnd, GWLP_WNDPROC), original);
  EXPECT_EQ(target.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
  sendCommand(hWnd, 5, BN_CLICKED);
  EXPECT_TRUE(target.calls.empty()) << "got " << target.calls.size() << " calls after unsubclass";
}

TEST_F(MessageMap, destroying_the_window_detaches_its_object)
{
  CDerivedTarget target;
  ASSERT_TRUE(target.SubclassWindow(hWnd));
  DestroyWindow(hWnd);
  EXPECT_EQ(target.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
  // The object can be bound again; when it goes first, the window lives on
  // with its own procedure.
  HWND other = makeWindow();
  const LONG_PTR original = GetWindowLongPtrA(other, GWLP_WNDPROC);
  {
    CDerivedTarget second;
    EXPECT_TRUE(second.SubclassWindow(other));
  }
  EXPECT_EQ(GetWindowLongPtrA(other, GWLP_WNDPROC), original);
  EXPECT_EQ(SendMessageA(other, WM_USER, 0, 0), 42);
  DestroyWindow(other);
}

TEST_F(MessageMap, one_object_per_window_and_temporaries_for_the_others)
{
  CWnd* temporary = CWnd::FromHandle(hWnd);
  ASSERT_NE(temporary, nullptr);
  EXPECT_EQ(temporary->m_hWnd, hWnd);
  EXPECT_EQ(CWnd::FromHandle(hWnd), temporary) << "one temporary per window";
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);

  CDerivedTarget first, second;
  ASSERT_TRUE(first.SubclassWindow(hWnd));
  EXPECT_EQ(CWnd::FromHandle(hWnd), &first);
  EXPECT_FALSE(second.SubclassWindow(hWnd));
  EXPECT_EQ(second.m_hWnd, nullptr);
  sendCommand(hWnd, 5, BN_CLICKED);
  EXPECT_EQ(first.calls.size(), 1u);
  EXPECT_TRUE(second.calls.empty());
  first.UnsubclassWindow();
  CWnd::DeleteTempMap();
}

} // namespace
