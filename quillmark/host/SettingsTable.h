// The settings table: up to 100 named integer pairs read from "<stem>.CFG" at
// initialisation. Records fill from index 0 and are never freed; a name (compared
// byte for byte, case-sensitively) occurs at most once.
//
// File format, one setting a line, as the scan format "%s = %d,%d" reads it:
// a name without white space, white space, "=", optional white space and an
// integer, a comma right after it, optional white space and a second integer;
// the rest of the line is ignored. Other lines are skipped. Lines are read 255
// characters at a time, so a longer line counts as several.
#pragma once

struct SettingsRecord {
  char name[256]; // the setting's name; empty: the record is free
  int first;      // first integer
  int second;     // second integer
};

constexpr int kSettingsRecordCount = 100;
extern SettingsRecord g_settingsRecords[kSettingsRecordCount];

// Reads "<stem>.CFG" from the current directory (or the stem's own path) into the
// table: RTNORM, or RTERROR when the file cannot be opened.
int readSettings(const char* stem);
// Updates the record of `name`, or appends one.
void storeSetting(const char* name, int first, int second);
// 1 and the record's values when a record has that name, else 0.
int findSetting(const char* name, int* first, int* second);
// 1 when a record of that name was changed, else 0.
int updateSetting(const char* name, int first, int second);
// 1 when a free record took the setting, 0 when all are in use (the setting is dropped).
int appendSetting(const char* name, int first, int second);
