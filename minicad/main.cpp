// minicad: a small CAD host. Opens drawings as documents, loads ARX modules, and
// gives the user an AutoLISP command line, with a script to drive dialogs headless.
//   minicad [--load MODULE]... [--ui SCRIPT] [-e EXPR]... [DRAWING]...
// Exit code 0; 1 when a module could not be loaded or the --ui script failed; 2 for
// a bad command line.
#include "arx/ads/AcedServices.h"
#include "arx/ads/CommandLine.h"
#include "arx/host/AcApDocument.h"
#include "arx/host/AcRxDynamicLinker.h"
#include "minicad/CommandPrompt.h"
#include "minicad/MinicadOptions.h"
#include "minicad/UiScript.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

int main(int argc, char** argv)
{
  // The terminal gets exactly the bytes written: no CR before each LF.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);

  MinicadOptions options;
  std::string error;
  if (!parseMinicadOptions(argc, argv, options, error)) {
    std::fprintf(stderr,
                 "minicad: %s\nusage: minicad [--load MODULE]... [--ui SCRIPT] "
                 "[-e EXPR]... [DRAWING]...\n",
                 error.c_str());
    return 2;
  }

  adsw_acadMainWnd(); // the main window exists before any module looks for it
  int exitCode = 0;

  for (const std::string& path : options.drawings) {
    if (acDocManager->openDocument(path.c_str(), &error) == nullptr)
      commandLineWrite("Cannot open drawing: " + error + "\n");
  }
  if (curDoc() == nullptr)
    acDocManager->openDocument(nullptr);

  for (const std::string& module : options.modules) {
    if (!acrxDynamicLinker->loadModule(module.c_str(), true))
      exitCode = 1;
  }

  bool scripted = !options.uiScript.empty();
  if (scripted && !startUiScript(options.uiScript.c_str(), GetCurrentThreadId())) {
    // Without its script a dialog would wait for a user who is not there.
    acDocManager->closeAll();
    return 1;
  }

  if (options.expressions.empty()) {
    runCommandPrompt(stdin);
  } else {
    for (const std::string& expression : options.expressions)
      evaluateAndPrint(expression);
  }

  if (scripted && finishUiScript() != 0)
    exitCode = 1;
  commandLineFlush();
  acDocManager->closeAll();
  return exitCode;
}
