#include "quillmark/host/LispFunctionTable.h"

#include <cstdlib>

int LispFunctionTable::add(const char* name, int (*handler)(), int kind)
{
  void* grown = std::realloc(entries, sizeof(LispFunctionEntry) * static_cast<size_t>(count + 1));
  if (grown == nullptr)
    return 0;
  entries = static_cast<LispFunctionEntry*>(grown);
  entries[count] = LispFunctionEntry{name, handler, static_cast<LispFunctionKind>(kind)};
  ++count;
  return 1;
}

void LispFunctionTable::clear()
{
  std::free(entries);
  entries = nullptr;
  count = 0;
}
