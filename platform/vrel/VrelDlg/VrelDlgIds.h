// Resource and control ids of the about box (shared by VrelDlg.rc and the code).
#pragma once

#define IDD_VREL_ABOUT 100
#define IDC_ABOUT_ICON 1000
#define IDC_ABOUT_PRODUCT 1001
#define IDC_ABOUT_VERSION 1002
#define IDC_ABOUT_LEGAL 1003
#define IDC_ABOUT_WEB 1004
#define IDC_ABOUT_EMAIL 1005
