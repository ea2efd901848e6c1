// The settings file and table, and the banner texts printed at load and at
// each call.
#include "quillmark/host/BannerTexts.h"
#include "quillmark/host/ByteTranslation.h"
#include "quillmark/host/LoadBanner.h"
#include "quillmark/host/SettingsTable.h"

#include "arx/ads/AdsCodes.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

class Settings : public ::testing::Test {
protected:
  void SetUp() override
  {
    std::memset(g_settingsRecords, 0, sizeof(g_settingsRecords));
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    stem = std::string(dir) + "quill_settings_" + std::to_string(GetCurrentProcessId());
  }
  void TearDown() override
  {
    std::remove((stem + ".CFG").c_str());
    std::memset(g_settingsRecords, 0, sizeof(g_settingsRecords));
  }
  void write(const std::string& text)
  {
    std::FILE* f = std::fopen((stem + ".CFG").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs(text.c_str(), f);
    std::fclose(f);
  }
  int usedRecords() const
  {
    int used = 0;
    for (const SettingsRecord& r : g_settingsRecords)
      used += r.name[0] != 0;
    return used;
  }
  std::string stem;
};

TEST_F(Settings, a_repeated_name_keeps_its_record_and_takes_the_last_values)
{
  write("A = 1,2\nB = 3,4\nA = 5,6\n");
  ASSERT_EQ(readSettings(stem.c_str()), RTNORM);
  EXPECT_STREQ(g_settingsRecords[0].name, "A");
  EXPECT_EQ(g_settingsRecords[0].first, 5);
  EXPECT_EQ(g_settingsRecords[0].second, 6);
  EXPECT_STREQ(g_settingsRecords[1].name, "B");
  EXPECT_EQ(g_settingsRecords[1].first, 3);
  EXPECT_EQ(g_settingsRecords[1].second, 4);
  EXPECT_EQ(usedRecords(), 2);
}

TEST_F(Settings, lines_are_taken_as_the_scan_format_reads_them)
{
  write("GLUED= 1,2\n"    // "=" must follow white space: the name swallows it
        "SPACED = 1 ,2\n" // white space before the comma
        "NOSECOND = 7\n"  // no second integer
        "\n"              // blank
        "LOOSE =-3,   -4 trailing words\n"
        "TIGHT\t=\t10,20\n"
        "name = 1,1\n"
        "NAME = 2,2\n");
  ASSERT_EQ(readSettings(stem.c_str()), RTNORM);
  int a = 0, b = 0;
  EXPECT_EQ(findSetting("GLUED=", &a, &b), 0);
  EXPECT_EQ(findSetting("GLUED", &a, &b), 0);
  EXPECT_EQ(findSetting("SPACED", &a, &b), 0);
  EXPECT_EQ(findSetting("NOSECOND", &a, &b), 0);
  ASSERT_EQ(findSetting("LOOSE", &a, &b), 1);
  EXPECT_EQ(a, -3);
  EXPECT_EQ(b, -4);
  ASSERT_EQ(findSetting("TIGHT", &a, &b), 1);
  EXPECT_EQ(a, 10);
  EXPECT_EQ(b, 20);
  ASSERT_EQ(findSetting("name", &a, &b), 1) << "names are case-sensitive";
  EXPECT_EQ(a, 1);
  ASSERT_EQ(findSetting("NAME", &a, &b), 1);
  EXPECT_EQ(a, 2);
  EXPECT_EQ(usedRecords(), 4);
}

TEST_F(Settings, the_table_holds_100_names_and_still_updates_when_full)
{
  std::string text;
  for (int i = 0; i < 101; ++i)
    text += "S" + std::to_string(i) + " = " + std::to_string(i) + ",0\n";
  text += "S5 = 55,56\n";
  write(text);
  ASSERT_EQ(readSettings(stem.c_str()), RTNORM);
  EXPECT_EQ(usedRecords(), 100);
  int a = 0, b = 0;
  EXPECT_EQ(findSetting("S100", &a, &b), 0) << "the 101st name is dropped";
  ASSERT_EQ(findSetting("S5", &a, &b), 1);
  EXPECT_EQ(a, 55);
  EXPECT_EQ(b, 56);
  EXPECT_EQ(appendSetting("EXTRA", 1, 1), 0);
  EXPECT_EQ(updateSetting("S99", 9, 9), 1);
  EXPECT_EQ(updateSetting("S100", 9, 9), 0);
}

TEST_F(Settings, a_missing_file_is_an_error_and_changes_nothing)
{
  EXPECT_EQ(readSettings(stem.c_str()), RTERROR);
  EXPECT_EQ(appendSetting("", 1, 2), 0) << "an empty name marks a free record: nothing to fill";
  EXPECT_EQ(usedRecords(), 0);
}

std::vector<std::string> g_printed;

int capture(const char* text)
{
  g_printed.emplace_back(text);
  return RTNORM;
}

// The banners as the command line shows them (texts A and B: 59 and 58 characters;
// the call banner's lines: 34 and 38), written out here, not made by the module.
const char kTextA[] = "Quillmark 1.0 Beta2 - block browser with wire-frame preview";
const char kTextB[] = "Type (BLOCK-LIST) or (BLOCK-FILE [path]) to browse blocks.";
const char kCallFirst[] = "Quillmark block browser 1.0 Beta2.";
const char kCallSecond[] = "Choose a block; OK gives back its name";

TEST(Banner, four_lines_printed_one_call_each)
{
  g_printed.clear();
  printBanner(capture);
  const std::vector<std::string> expected = {std::string("\n") + kTextA, std::string("\n") + kTextB,
                                             "\nTOLK portions created on Jan 30 2002, 04:41:13",
                                             "\n"};
  EXPECT_EQ(g_printed, expected);
}

TEST(Banner, stored_texts_translate_to_the_lines_shown)
{
  char line[256];
  const struct {
    const char* stored;
    const char* shown;
  } texts[] = {{kLoadBannerA, kTextA},
               {kLoadBannerB, kTextB},
               {kCallBannerFirst, kCallFirst},
               {kCallBannerSecond, kCallSecond}};
  for (const auto& t : texts) {
    translateBytes(line, t.stored);
    EXPECT_STREQ(line, t.shown);
    EXPECT_STRNE(t.stored, t.shown) << "stored in the clear";
  }
  translateBytes(line, "");
  EXPECT_STREQ(line, "");
}

} // namespace
