#include "quillmark/dialog/LispHandlers.h"

#include "arx/ads/AcedServices.h"
#include "quillmark/dialog/CBlockDialog.h"
#include "quillmark/host/BannerTexts.h"
#include "quillmark/host/ByteTranslation.h"
#include "quillmark/host/ModuleStateSwitch.h"
#include "quillmark/host/ResultBufferList.h"
#include "vrel/VrelAppDlg/VrelAppDlg.h"

#include <mbstring.h>

namespace {

// True when `text` is not the empty string, compared as multibyte text.
bool hasText(const char* text)
{
  return _mbscmp(reinterpret_cast<const unsigned char*>(text),
                 reinterpret_cast<const unsigned char*>("")) != 0;
}

} // namespace

int blockListHandler()
{
  printCallBanner();
  // Declared in this order so that the dialog is destroyed before the switch ends.
  ModuleStateSwitch resources;
  CBlockDialog dialog(CWnd::FromHandle(adsw_acadMainWnd()));
  dialog.openDrawing(nullptr);
  if (dialog.DoModal() == IDOK && hasText(dialog.m_blockName))
    acedRetStr(dialog.m_blockName);
  else
    acedRetNil();
  return RTNORM;
}

int blockFileHandler()
{
  ResultBufferList args;
  printCallBanner();
  args.setHead(acedGetArgs());
  char startPath[256];
  if (args.nthString(0, startPath) != RTNORM)
    startPath[0] = '\0';
  char chosenPath[256] = "";
  ModuleStateSwitch resources;
  int chosen = VrelDlgAppDwgFile(adsw_acadMainWnd(), startPath, chosenPath, showBlocksOfFile);
  if (chosen == 1 && chosenPath[0] != '\0')
    acedRetStr(chosenPath);
  else
    acedRetNil();
  return RTNORM;
}

void showBlocksOfFile(HWND chooser, const char* path)
{
  ModuleStateSwitch resources;
  CBlockDialog dialog(CWnd::FromHandle(chooser));
  dialog.openDrawing(path);
  // Browsing only: neither the result nor the selection is used; the destructor
  // deletes the database read from the file.
  dialog.DoModal();
}

void printCallBanner()
{
  char line[256];
  translateBytes(line, kCallBannerFirst);
  acutPrintf("\n%s", line);
  translateBytes(line, kCallBannerSecond);
  acutPrintf("\n%s\n", line);
}
