// The about box of VrelDlg.dll: a dialog from this DLL's own template that shows an
// icon and five lines of text.
#include "VrelDlg.h"
#include "VrelDlgIds.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// What VrelDlgAbout hands to the dialog procedure.
struct AboutTexts {
  HICON icon;          // shown at the top left; never null here
  const char* product; // also the caption: "About <product>"
  const char* version;
  const char* legal;
  const char* web;
  const char* email;
};

const char* orEmpty(const char* text)
{
  return text ? text : "";
}

INT_PTR CALLBACK aboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
  switch (message) {
  case WM_INITDIALOG: {
    const AboutTexts* texts = reinterpret_cast<const AboutTexts*>(lParam);
    char caption[300];
    wsprintfA(caption, "About %.280s", texts->product);
    SetWindowTextA(dialog, caption);
    SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(texts->icon),
                        0);
    SetDlgItemTextA(dialog, IDC_ABOUT_PRODUCT, texts->product);
    SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, texts->version);
    SetDlgItemTextA(dialog, IDC_ABOUT_LEGAL, texts->legal);
    SetDlgItemTextA(dialog, IDC_ABOUT_WEB, texts->web);
    SetDlgItemTextA(dialog, IDC_ABOUT_EMAIL, texts->email);
    return TRUE;
  }
  case WM_COMMAND:
    // Enter, Escape and the OK button all close the box.
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
      EndDialog(dialog, IDOK);
      return TRUE;
    }
    break;
  }
  return FALSE;
}

} // namespace

int VrelDlgAbout(HWND owner, HICON icon, const char* product, const char* version,
                 const char* legal, const char* web, const char* email)
{
  AboutTexts texts = {icon ? icon : LoadIconA(nullptr, IDI_APPLICATION),
                      orEmpty(product),
                      orEmpty(version),
                      orEmpty(legal),
                      orEmpty(web),
                      orEmpty(email)};
  INT_PTR result =
      DialogBoxParamA(reinterpret_cast<HINSTANCE>(&__ImageBase), MAKEINTRESOURCEA(IDD_VREL_ABOUT),
                      owner, aboutProc, reinterpret_cast<LPARAM>(&texts));
  return static_cast<int>(result);
}
