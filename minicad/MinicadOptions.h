// MinicadOptions: the command line of minicad.
//   minicad [--load MODULE]... [--ui SCRIPT] [-e EXPR]... [DRAWING]...
#pragma once

#include <string>
#include <vector>

struct MinicadOptions {
  std::vector<std::string> modules;     // --load, in order
  std::string uiScript;                 // --ui, empty when none
  std::vector<std::string> expressions; // -e, in order
  std::vector<std::string> drawings;    // the rest, in order
};

// Parses argv[1..argc-1]. False, with the reason in `error`, for an unknown option or
// an option without its value.
bool parseMinicadOptions(int argc, char** argv, MinicadOptions& options, std::string& error);
