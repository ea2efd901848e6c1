// The --ui script runner: drives the dialogs that appear while minicad runs, one
// step a line, as a user would (wait, type, select, click, list, snap).
#pragma once

#include <windows.h>

// Reads the script file and starts running it on a thread of its own; its steps act
// on the top-level windows of the thread `uiThreadId` (minicad's main thread).
// Returns false (with a message on standard error) if the file cannot be read.
bool startUiScript(const char* path, DWORD uiThreadId);

// Called by minicad when its expressions have run: waits for the script to end and
// returns 0 when every step succeeded, 1 when a step failed (the failure, naming its
// line, is already printed and the dialog it acted on was cancelled).
int finishUiScript();
