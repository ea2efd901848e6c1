// CDialog and data exchange: a modal dialog from a template in memory, driven
// by messages posted from OnInitDialog, as a user's keys and clicks would be.
#include "DialogTemplate.h"

#include "mfc/CDialog.h"
#include "mfc/CListBox.h"
#include "mfc/CStatic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kPatternEdit = 1066;
constexpr int kBlockList = 1061;
constexpr int kPreview = 1063;
constexpr int kMissing = 999;

DialogTemplate makeTemplate()
{
  DialogTemplate t("Data exchange", 200, 120);
  t.add(kEdit, kPatternEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, "", 5, 5, 60, 12);
  t.add(kListBox, kBlockList, LBS_NOTIFY | LBS_SORT | WS_BORDER | WS_VSCROLL, "", 5, 20, 60, 80);
  t.add(kStatic, kPreview, SS_BLACKRECT, "", 70, 5, 100, 80);
  t.add(kButton, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, "OK", 70, 100, 40, 14);
  t.add(kButton, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, "Cancel", 120, 100, 40, 14);
  return t;
}

class CTestDialog : public CDialog {
public:
  CStatic m_preview;
  CListBox m_list;
  CString m_pattern = "*";
  CString m_blockName;
  bool m_exchangeMissing = false; // exchange a control the template lacks
  std::vector<std::string> m_events;
  // Run after the first exchange, inside the modal loop.
  std::function<void(CTestDialog&)> m_script;

  BOOL OnInitDialog() override
  {
    if (!CDialog::OnInitDialog())
      return FALSE;
    CString shown;
    GetDlgItem(kPatternEdit)->GetWindowText(shown);
    m_events.push_back(std::string("init: edit shows ") + static_cast<LPCSTR>(shown));
    for (const char* name : {"TABLE", "CHAIR", "DESK"})
      m_list.AddString(name);
    if (m_script)
      m_script(*this);
    return TRUE;
  }

  afx_msg void OnChangePattern() { m_events.push_back("pattern changed"); }
  afx_msg void OnSelchangeList()
  {
    UpdateData(TRUE);
    m_events.push_back(std::string("selection ") + static_cast<LPCSTR>(m_blockName));
  }

protected:
  void DoDataExchange(CDataExchange* dx) override
  {
    DDX_Control(dx, kPreview, m_preview);
    DDX_Control(dx, kBlockList, m_list);
    DDX_Text(dx, kPatternEdit, m_pattern);
    DDX_LBString(dx, kBlockList, m_blockName);
    if (m_exchangeMissing)
      DDX_Text(dx, kMissing, m_pattern);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
ON_EN_CHANGE(kPatternEdit, OnChangePattern)
ON_LBN_SELCHANGE(kBlockList, OnSelchangeList)
END_MESSAGE_MAP()

void post(CTestDialog& dlg, int id)
{
  dlg.PostMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

TEST(Dialog, ok_saves_the_controls_into_the_members)
{
  DialogTemplate t = makeTemplate();
  CTestDialog dlg;
  dlg.InitModalIndirect(t.get());
  dlg.m_script = [](CTestDialog& d) {
    d.GetDlgItem(kPatternEdit)->SetWindowText("CH*");
    d.m_list.SetCurSel(d.m_list.FindStringExact(-1, "DESK"));
    post(d, IDOK);
  };
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_STREQ(dlg.m_pattern, "CH*");
  EXPECT_STREQ(dlg.m_blockName, "DESK");
  EXPECT_NE(std::find(dlg.m_events.begin(), dlg.m_events.end(), "init: edit shows *"),
            dlg.m_events.end());
  // Once the window is gone, the bound controls are free again.
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  EXPECT_EQ(dlg.m_list.m_hWnd, nullptr);
  EXPECT_EQ(dlg.m_preview.m_hWnd, nullptr);
  dlg.m_script = [](CTestDialog& d) {
    d.m_list.SetCurSel(2);
    post(d, IDOK);
  };
  EXPECT_EQ(dlg.DoModal(), IDOK) << "a second run binds the controls again";
  EXPECT_STREQ(dlg.m_blockName, "TABLE");
}

TEST(Dialog, control_notifications_reach_the_dialogs_map)
{
  DialogTemplate t = makeTemplate();
  CTestDialog dlg;
  dlg.InitModalIndirect(t.get());
  dlg.m_script = [](CTestDialog& d) {
    d.GetDlgItem(kPatternEdit)->SetWindowText("C"); // the edit sends EN_CHANGE itself
    d.m_list.SetCurSel(0);                          // sorted: CHAIR
    d.SendMessage(WM_COMMAND, MAKEWPARAM(kBlockList, LBN_SELCHANGE),
                  reinterpret_cast<LPARAM>(d.m_list.m_hWnd));
    d.m_list.SetCurSel(-1);
    d.SendMessage(WM_COMMAND, MAKEWPARAM(kBlockList, LBN_SELCHANGE),
                  reinterpret_cast<LPARAM>(d.m_list.m_hWnd));
    post(d, IDCANCEL);
  };
  dlg.DoModal();
  // Loading "*" into the empty edit notifies too, as in any Windows dialog.
  const std::vector<std::string> expected = {"pattern changed", "init: edit shows *",
                                             "pattern changed", "selection CHAIR", "selection "};
  EXPECT_EQ(dlg.m_events, expected);
}

TEST(Dialog, loading_a_name_selects_the_first_entry_beginning_with_it)
{
  DialogTemplate t = makeTemplate();
  CTestDialog dlg;
  dlg.InitModalIndirect(t.get());
  CString selected;
  dlg.m_script = [&selected](CTestDialog& d) {
    d.m_blockName = "de";
    d.UpdateData(FALSE);
    d.m_list.GetText(d.m_list.GetCurSel(), selected);
    post(d, IDCANCEL);
  };
  dlg.DoModal();
  EXPECT_STREQ(selected, "DESK");
}

TEST(Dialog, a_failed_exchange_keeps_the_dialog_open_on_ok)
{
  DialogTemplate t = makeTemplate();
  CTestDialog dlg;
  dlg.InitModalIndirect(t.get());
  dlg.m_script = [](CTestDialog& d) {
    d.m_exchangeMissing = true;
    EXPECT_FALSE(d.UpdateData(TRUE));
    post(d, IDOK);     // refused: the exchange fails
    post(d, IDCANCEL); // so this one ends the dialog
  };
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(Dialog, a_failed_first_exchange_ends_the_dialog_with_minus_one)
{
  DialogTemplate t = makeTemplate();
  CTestDialog dlg;
  dlg.m_exchangeMissing = true;
  dlg.InitModalIndirect(t.get());
  EXPECT_EQ(dlg.DoModal(), -1);
}

TEST(Dialog, a_missing_template_gives_minus_one)
{
  CDialog dlg(4242, nullptr);
  EXPECT_EQ(dlg.DoModal(), -1);
}

} // namespace
