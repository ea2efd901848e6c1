// Resource and control ids of the drawing-file chooser (VrelAppDlg.rc and the code).
#pragma once

#define IDD_VREL_DWGFILE 100
#define IDC_DWG_FOLDER 1001 // edit: the folder shown
#define IDC_DWG_FILES 1002  // list: "[..]", "[sub-folder]"..., then the drawing files
#define IDC_DWG_NAME 1003   // edit: the file name (or a path) to choose
#define IDC_DWG_BLOCKS 1004 // button "Blocks...": calls the caller's callback
