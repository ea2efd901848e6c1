// The module's table of LISP functions and commands. An entry's position is
// its LISP function code, so entries are only ever appended, and the table is
// emptied as a whole.
#pragma once

enum LispFunctionKind {
  kCommand = 0,          // defined to LISP, and added to the command stack without "C:"
  kFunction = 1,         // a LISP function; nil when its handler fails
  kExternalFunction = 2, // as kFunction, also callable directly (acedRegFunc)
};

struct LispFunctionEntry {
  const char* name;      // the LISP name; a string constant, not copied
  int (*handler)();      // reads its own arguments; returns a host status code
  LispFunctionKind kind; // how it is defined and what LISP gets back
};

class LispFunctionTable {
public:
  LispFunctionTable() = default;
  ~LispFunctionTable() { clear(); }
  LispFunctionTable(const LispFunctionTable&) = delete;
  LispFunctionTable& operator=(const LispFunctionTable&) = delete;

  // Appends an entry: 1, or 0 with the table unchanged when it cannot grow.
  int add(const char* name, int (*handler)(), int kind);
  int size() const { return count; }
  // Entry `i`; the caller keeps `i` within 0 .. size() - 1.
  LispFunctionEntry* at(int i) const { return &entries[i]; }
  // Releases the storage: no entries.
  void clear();

  LispFunctionEntry* entries = nullptr; // heap array of exactly `count` entries, or null
  int count = 0;                        // number of entries
};
