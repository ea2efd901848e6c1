#include "quillmark/dialog/CBlockDialog.h"

#include "arx/ads/AcutUtilities.h"
#include "arx/db/AcDbDatabase.h"
#include "arx/host/AcDbHostApplicationServices.h"
#include "mfc/AfxModuleState.h"
#include "quillmark/dialog/DrawingAccess.h"
#include "quillmark/dialog/FormatMessageBox.h"
#include "quillmark/dialog/SortedListFill.h"
#include "quillmark/res/ResourceIds.h"
#include "vrel/VrelDlg/VrelDlg.h"

#include <string>
#include <utility>
#include <vector>

#include <mbstring.h>

namespace {

const UINT kErrorBox = MB_OK | MB_ICONHAND; // 0x10: a stop icon and an OK button
const char kErrorCaption[] = "Error";
const int kShareDenyWrite = 0x20; // _SH_DENYWR: others may read the file, not write it

// The maker's texts for the about box.
const char kProduct[] = "Quillmark";
const char kVersion[] = "Version 1.0 Beta2";
const char kLegal[] = "Copyright (C) 1999 Vrel Software";
const char kWeb[] = "http://www.vrel.example/quillmark";
const char kEmail[] = "quillmark@vrel.example";

} // namespace

BEGIN_MESSAGE_MAP(CBlockDialog, CDialog)
ON_BN_CLICKED(IDC_ABOUT, OnAbout)
ON_LBN_SELCHANGE(IDC_BLOCK_LIST, OnSelchangeBlockList)
ON_EN_CHANGE(IDC_PATTERN, OnChangePattern)
ON_EN_CHANGE(IDC_SELECTION, OnChangeSelection)
END_MESSAGE_MAP()

CBlockDialog::CBlockDialog(CWnd* parent)
    : CDialog(IDD_BLOCK_DIALOG, parent), m_pattern("*"), m_database(nullptr),
      m_initialExchange(false)
{
}

CBlockDialog::~CBlockDialog()
{
  closeDrawing();
}

void CBlockDialog::openDrawing(const char* path)
{
  closeDrawing();
  m_path = path ? path : "";
  if (m_path.IsEmpty()) {
    m_database = s_pServices ? s_pServices->workingDatabase() : nullptr;
    return;
  }
  // Stored at once: the dialog owns it from here on, whether the read succeeds or not.
  m_database = new AcDbDatabase(false, true);
  if (m_database->readDwgFile(m_path, kShareDenyWrite, false) != 0) {
    // Called before DoModal, when the dialog has no window yet: the box belongs to
    // the dialog's parent (the chooser), which it keeps from being used meanwhile.
    HWND owner = m_hWnd;
    if (owner == nullptr && m_pParentWnd != nullptr)
      owner = m_pParentWnd->m_hWnd;
    // The reader's message names the file first; the box names it once.
    std::string why = m_database->readError();
    const std::string prefix = std::string(static_cast<const char*>(m_path)) + ": ";
    if (why.compare(0, prefix.size(), prefix) == 0)
      why.erase(0, prefix.size());
    formatMessageBox(owner, kErrorBox, kErrorCaption, "Can't open database : %s\n%s",
                     static_cast<const char*>(m_path), why.c_str());
  }
}

void CBlockDialog::closeDrawing()
{
  if (m_database && !m_path.IsEmpty())
    delete m_database;
  m_database = nullptr;
}

void CBlockDialog::DoDataExchange(CDataExchange* pDX)
{
  DDX_Control(pDX, IDC_BLOCK_PREVIEW, m_preview);
  DDX_Control(pDX, IDC_BLOCK_LIST, m_list);
  DDX_Text(pDX, IDC_PATTERN, m_pattern);
  DDX_Text(pDX, IDC_SELECTION, m_selection);
  DDX_LBString(pDX, IDC_BLOCK_LIST, m_blockName);
}

BOOL CBlockDialog::OnInitDialog()
{
  // Writing "*" into the pattern edit sends EN_CHANGE, whose refill would list every
  // name only to be emptied by the refill below (and would show a failure twice).
  m_initialExchange = true;
  CDialog::OnInitDialog();
  m_initialExchange = false;
  HINSTANCE resources =
      AfxFindResourceHandle(MAKEINTRESOURCEA(IDI_QUILLMARK), MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
  HICON icon = LoadIconA(resources, MAKEINTRESOURCEA(IDI_QUILLMARK));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  m_preview.setDatabase(m_database);
  refillList();
  return TRUE; // the focus goes to the first tab stop, the selection edit
}

void CBlockDialog::refillList()
{
  CStringList names(10);
  // With no drawing at all (a host without a working database) there are no names to read.
  if (!m_database || listTableNames(m_database, names, 0) != 0) {
    formatMessageBox(m_hWnd, kErrorBox, kErrorCaption, "Unknown error!");
    return;
  }
  fillList(m_list, names, m_pattern, 1);
}

void fillList(CListBox& list, const CStringList& names, CString pattern, int reset)
{
  if (reset == 1)
    list.SendMessage(LB_RESETCONTENT, 0, 0);
  std::vector<CString> matches;
  for (POSITION position = names.GetHeadPosition(); position != nullptr;) {
    CString name = names.GetNext(position);
    // The host's model and paper spaces and its anonymous blocks begin with '*'.
    if (name.IsEmpty() || static_cast<const char*>(name)[0] == '*')
      continue;
    name.MakeUpper();
    if (acutWcMatch(name, pattern) == RTNORM)
      matches.push_back(std::move(name));
  }
  // Shown in the list box's sorted order, as one LB_ADDSTRING per name would place them.
  addToSortedList(list, matches);
}

void CBlockDialog::OnChangePattern()
{
  if (m_initialExchange)
    return;
  UpdateData(TRUE);
  // Only the member is upper-cased; the edit keeps what the user typed.
  m_pattern.MakeUpper();
  refillList();
  // The preview shows what OK returns: the block stays selected while it is listed;
  // when the new pattern drops it, nothing is selected and the preview is cleared.
  if (m_blockName.IsEmpty())
    return;
  LRESULT kept = findEntry(LB_FINDSTRINGEXACT, m_blockName);
  m_list.SendMessage(LB_SETCURSEL, static_cast<WPARAM>(kept), 0);
  if (kept == LB_ERR)
    OnSelchangeBlockList();
}

void CBlockDialog::OnChangeSelection()
{
  UpdateData(TRUE);
  m_selection.MakeUpper();
  // The entry whose whole name was typed, else the first in list order that begins with
  // the text (both ignore case). Start index -1 searches from the first entry; from 0
  // the list box would begin with the second and examine the first last.
  LRESULT found = findEntry(LB_FINDSTRINGEXACT, m_selection);
  if (found == LB_ERR)
    found = findEntry(LB_FINDSTRING, m_selection);
  m_list.SendMessage(LB_SETCURSEL, static_cast<WPARAM>(found), 0); // LB_ERR (-1): none
  // LB_SETCURSEL sends no notification.
  OnSelchangeBlockList();
}

LRESULT CBlockDialog::findEntry(UINT message, const CString& text)
{
  return m_list.SendMessage(message, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(static_cast<const char*>(text)));
}

void CBlockDialog::OnSelchangeBlockList()
{
  UpdateData(TRUE);
  m_preview.setBlockName(m_blockName);
  ::RedrawWindow(m_preview.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CBlockDialog::OnAbout()
{
  VrelDlgAbout(m_hWnd, nullptr, kProduct, kVersion, kLegal, kWeb, kEmail);
}
