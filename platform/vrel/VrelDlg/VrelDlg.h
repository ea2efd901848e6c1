// VrelDlg.dll: the maker's about box.
#pragma once

#include <windows.h>

extern "C" {
// Shows the modal about box owned by `owner` (may be null): `icon` (the default
// application icon when null) beside the product name, version, legal notice line,
// web address and e-mail address (a null text shows as empty). Returns IDOK when
// the user closed it, -1 when the box could not be created.
int VrelDlgAbout(HWND owner, HICON icon, const char* product, const char* version,
                 const char* legal, const char* web, const char* email);
}
