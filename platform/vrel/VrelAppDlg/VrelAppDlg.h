// VrelAppDlg.dll: the maker's drawing-file chooser.
#pragma once

#include <windows.h>

extern "C" {
// Called by the chooser when the user presses "Blocks...": the chooser's own window
// and the full path of the selected drawing file.
typedef void (*VrelDwgFileCallback)(HWND chooser, const char* path);

// Shows the modal chooser owned by `parent`, starting in the folder `startPath`
// (a folder, or a file whose folder is taken and whose name is preselected; the
// current folder when empty, null or not found). The list shows the sub-folders
// and the drawing files (*.dxf, *.dwg) of the folder. Returns 1 when the user
// confirmed an existing file, having written its zero-terminated full path (at most
// 255 characters) to `chosenPath`; 0 when cancelled (`chosenPath` then empty);
// -1 when `chosenPath` is null or the chooser cannot be created.
int VrelDlgAppDwgFile(HWND parent, const char* startPath, char* chosenPath,
                      VrelDwgFileCallback callback);
}
