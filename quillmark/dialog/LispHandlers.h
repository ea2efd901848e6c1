// The handlers of the module's two LISP functions, (BLOCK-LIST) and (BLOCK-FILE),
// and the two-line banner each of them prints first.
#pragma once

// Handler of "BLOCK-LIST"; sets its own LISP result and returns RTNORM.
int blockListHandler();
// Handler of "BLOCK-FILE"; sets its own LISP result and returns RTNORM.
int blockFileHandler();
// Prints the two call-banner lines on the command line.
void printCallBanner();
