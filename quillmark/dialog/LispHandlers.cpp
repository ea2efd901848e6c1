#include "quillmark/dialog/LispHandlers.h"

#include "arx/ads/AcedServices.h"
#include "quillmark/host/BannerTexts.h"
#include "quillmark/host/ByteTranslation.h"

// The block dialog and the drawing-file chooser are not wired in yet: until they
// are, both handlers print the call banner and answer nil.

int blockListHandler()
{
  printCallBanner();
  acedRetNil();
  return RTNORM;
}

int blockFileHandler()
{
  printCallBanner();
  acedRetNil();
  return RTNORM;
}

void printCallBanner()
{
  char line[256];
  translateBytes(line, kCallBannerFirst);
  acutPrintf("\n%s", line);
  translateBytes(line, kCallBannerSecond);
  acutPrintf("\n%s\n", line);
}
