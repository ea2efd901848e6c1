#include "quillmark/host/LoadBanner.h"

#include "quillmark/host/BannerTexts.h"
#include "quillmark/host/ByteTranslation.h"
#include "quillmark/host/SettingsTable.h"

#include <cstdio>

void loadSettingsAndBanner(int (*print)(const char*))
{
  readSettings("TOLK_DCL");
  printBanner(print);
}

void printBanner(int (*print)(const char*))
{
  char line[256];
  char text[256];
  translateBytes(text, kLoadBannerA);
  std::snprintf(line, sizeof(line), "\n%s", text);
  print(line);
  translateBytes(text, kLoadBannerB);
  std::snprintf(line, sizeof(line), "\n%s", text);
  print(line);
  std::snprintf(line, sizeof(line), "\nTOLK portions created on %s, %s", "Jan 30 2002", "04:41:13");
  print(line);
  print("\n");
}
