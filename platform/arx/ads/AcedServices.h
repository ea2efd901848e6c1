// The host's LISP and command-line services, as a module calls them.
//   acedDefun / acedUndef / acedRegFunc   define LISP functions of the calling module
//   acedGetFunCode / acedGetArgs          the function being invoked and its arguments
//   acedRet*                              set the LISP result of the invoked function
//   acedPrompt / acutPrintf               print on the command line (ANSI code page text)
//   adsw_acadMainWnd                      the host's main window
//   acrx_abort                            print a text and end the process with a failing code
#pragma once

#include "arx/ads/AdsCodes.h"

#include <windows.h>

int acedDefun(const char* name, int funcNumber);
int acedUndef(const char* name, int funcNumber);
int acedRegFunc(int (*handler)(), int funcNumber);
int acedGetFunCode();
resbuf* acedGetArgs();

int acedRetStr(const char* text);
int acedRetNil();
int acedRetVoid();
int acedRetT();
int acedRetInt(int value);
int acedRetReal(ads_real value);

int acedPrompt(const char* text);
int acutPrintf(const char* format, ...);

HWND adsw_acadMainWnd();
[[noreturn]] void acrx_abort(const char* format, ...);
