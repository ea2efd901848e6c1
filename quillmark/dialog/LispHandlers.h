// The handlers of the module's two LISP functions, (BLOCK-LIST) and (BLOCK-FILE),
// the chooser's callback that browses a drawing file, and the two-line banner each
// call prints first.
#pragma once

#include <windows.h>

// Handler of "BLOCK-LIST": the block dialog on the current drawing. Sets the LISP
// result to the chosen name (upper case) or nil; returns RTNORM.
int blockListHandler();
// Handler of "BLOCK-FILE [path]": the drawing-file chooser, starting at the first
// argument when it is a string. Sets the LISP result to the chosen file's path or
// nil; returns RTNORM.
int blockFileHandler();
// The chooser's "Blocks..." callback: the block dialog on the drawing file `path`,
// owned by the chooser's window, for browsing only.
void showBlocksOfFile(HWND chooser, const char* path);
// Prints the two call-banner lines on the command line.
void printCallBanner();
