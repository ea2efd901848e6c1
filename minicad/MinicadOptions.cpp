#include "minicad/MinicadOptions.h"

bool parseMinicadOptions(int argc, char** argv, MinicadOptions& options, std::string& error)
{
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool takesValue = arg == "--load" || arg == "--ui" || arg == "-e";
    if (takesValue && i + 1 >= argc) {
      error = "option " + arg + " needs a value";
      return false;
    }
    if (arg == "--load")
      options.modules.push_back(argv[++i]);
    else if (arg == "--ui")
      options.uiScript = argv[++i];
    else if (arg == "-e")
      options.expressions.push_back(argv[++i]);
    else if (arg == "--")
      for (++i; i < argc; ++i)
        options.drawings.push_back(argv[i]);
    else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return false;
    } else
      options.drawings.push_back(arg);
  }
  return true;
}
