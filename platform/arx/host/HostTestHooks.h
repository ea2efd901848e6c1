// Test seams of the host: what a test program needs to run module code in-process
// without minicad, and to observe what the host's LISP saw.
//
// A test program that links the module's objects directly attaches its entry point
// with hostAttachEntryPoint (the host then treats it as a loaded module: message 1,
// then message 3 per open document), opens documents with hostOpenDocument, and
// calls the module's LISP functions with hostEvaluate.
#pragma once

#include "arx/ads/AdsCodes.h"
#include "arx/host/AcRx.h"

#include <string>

class AcApDocument;

// Makes acedDefun refuse `name` (case-insensitive; returns RTERROR, defines nothing)
// until called again with nullptr.
void hostRefuseDefun(const char* name);

// Opens a drawing file as a new document (null: a new empty drawing) and makes it
// current; every loaded module is sent the load-drawing message for it. Returns null
// when the file cannot be read (the reason is printed on the command line).
AcApDocument* hostOpenDocument(const char* drawingPathOrNull);
// Closes every document (modules get the unload-drawing message for each).
void hostCloseAllDocuments();

// Treats `entry` as the entry point of a module called `name` that is already in
// memory: sends it message 1 and then message 3 for every open document, as
// loadModule does. Returns false when a module of that name is already loaded.
bool hostAttachEntryPoint(const char* name, AcRxEntryPointFn entry);
// Sends message 2 to that module and forgets it (its LISP functions are undefined).
bool hostDetachEntryPoint(const char* name);

// Reads and evaluates one LISP expression in the current document (a new empty
// drawing is opened first when there is none), as the command line does. `printedResult` (may be
// null) gets the result printed as the command line prints it ("CHAIR", nil, (1 2)), or the error
// line ("; error: ..."). Returns RTNORM, or RTERROR when the expression failed.
int hostEvaluate(const char* lispExpression, std::string* printedResult);

// The result type of the last LISP result a module set with acedRet* (RTSTR, RTNIL,
// RTVOID, RTT, RTSHORT, RTLONG, RTREAL), or RTNONE when none was set since the last
// invoke started.
int hostLastRetType();
// That result as a chain (owned by the host, valid until the next invoke); null when
// none was set or it was nil / no value.
const resbuf* hostInvokeResult();

// For calling a handler directly: makes acedGetFunCode return `funcCode` and
// acedGetArgs return `args` (not copied, not owned) and clears the last result,
// until hostEndInvoke.
void hostBeginInvoke(int funcCode, resbuf* args);
void hostEndInvoke();

// While capturing, acutPrintf and acedPrompt text (ANSI code page bytes, unconverted)
// is collected instead of printed. hostTakeOutput returns what was collected and
// empties the buffer.
void hostCaptureOutput(bool capture);
std::string hostTakeOutput();
