#include "quillmark/host/SettingsTable.h"

#include "arx/ads/AdsCodes.h"

#include <cstdio>
#include <cstring>

SettingsRecord g_settingsRecords[kSettingsRecordCount];

int readSettings(const char* stem)
{
  char fileName[256];
  if (std::snprintf(fileName, sizeof(fileName), "%s.CFG", stem) >=
      static_cast<int>(sizeof(fileName)))
    return RTERROR;
  std::FILE* file = std::fopen(fileName, "r");
  if (file == nullptr)
    return RTERROR;
  char line[256];
  while (std::fgets(line, sizeof(line), file) != nullptr) {
    char name[256];
    int first = 0;
    int second = 0;
    // The name cannot be longer than the line it comes from (255 characters).
    if (std::sscanf(line, "%255s = %d,%d\n", name, &first, &second) == 3)
      storeSetting(name, first, second);
  }
  std::fclose(file);
  return RTNORM;
}

void storeSetting(const char* name, int first, int second)
{
  int oldFirst = 0;
  int oldSecond = 0;
  if (findSetting(name, &oldFirst, &oldSecond))
    updateSetting(name, first, second);
  else
    appendSetting(name, first, second);
}

int findSetting(const char* name, int* first, int* second)
{
  for (const SettingsRecord& record : g_settingsRecords) {
    if (std::strcmp(record.name, name) == 0) {
      *first = record.first;
      *second = record.second;
      return 1;
    }
  }
  return 0;
}

int updateSetting(const char* name, int first, int second)
{
  for (SettingsRecord& record : g_settingsRecords) {
    if (std::strcmp(record.name, name) == 0) {
      record.first = first;
      record.second = second;
      return 1;
    }
  }
  return 0;
}

int appendSetting(const char* name, int first, int second)
{
  const size_t length = std::strlen(name);
  if (length == 0 || length >= sizeof(SettingsRecord::name))
    return 0;
  for (SettingsRecord& record : g_settingsRecords) {
    if (record.name[0] == 0) {
      std::memcpy(record.name, name, length + 1);
      record.first = first;
      record.second = second;
      return 1;
    }
  }
  return 0;
}
