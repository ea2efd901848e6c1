// The host's UI library: InitAcUiDLL prepares what the library's dialogs and
// controls need (the common controls) and is called by every module that uses
// the library, from its DLL entry. Calls after the first do nothing more.
#pragma once

void InitAcUiDLL();
// How many times InitAcUiDLL has been called in this process.
int acuiInitCallCount();
