#include "CallBannerText.h"

// The module's stored texts and its translation table, compiled into this program
// (the module exports neither).
#include "quillmark/host/BannerTexts.cpp"
#include "quillmark/host/ByteTranslation.cpp"

#include <cstring>

std::string callBannerLine(int which)
{
  const char* stored = which == 0 ? kCallBannerFirst : kCallBannerSecond;
  char line[256];
  translateBytes(line, stored);
  return line;
}
