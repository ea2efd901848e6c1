// Block names that code page 949 cannot show, end to end: minicad runs as on a Korean
// system, reads a UTF-8 drawing, lists the names, returns the chosen one, and finds
// it again with tblsearch.
#include "MinicadRun.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> sorted(std::vector<std::string> v)
{
  std::sort(v.begin(), v.end());
  return v;
}

TEST(BlockNames, unshowable_characters_become_escapes_that_tblsearch_finds)
{
  // Under ctest the code page is 949, as minicad runs for its users (LC_ALL=ko_KR).
  if (GetACP() != 949)
    GTEST_SKIP() << "expectations written for ANSI code page 949; this is " << GetACP();
  TempFolder folder;
  // An R2018 drawing (UTF-8): two Chinese characters missing from 949, two Latin
  // letters missing from it too, and an escape the file holds for two that 949 has.
  std::string drawing =
      folder.write("names.dxf", dxfWithBlocks({"\xE6\xB8\xA9", "\xE5\xB1\x82", "Caf\xC3\xA9",
                                               "K\xC3\x9C"
                                               "CHENARMATUR",
                                               "\\U+4FDD\\U+6EAB"},
                                              "AC1032"));
  const char kDialog[] = "wait \"Quillmark : Version 1.0 Beta2\"\n";
  // Each entry is picked by its text in the ANSI code page (escapes written \\ in quotes).
  const char* const picks[] = {"\\\\U+6E29", "\\\\U+5C42", "CAF\\\\U+00E9",
                               "K\\\\U+00DCCHENARMATUR", "\xDC\xC1\xE8\xAE"};
  std::string script = std::string(kDialog) + "list 1061\nclick 2\n";
  for (const char* pick : picks)
    script += std::string(kDialog) + "select 1061 \"" + pick + "\"\nclick 1\n";
  std::vector<std::string> expressions(1, "(BLOCK-LIST)");
  expressions.insert(expressions.end(), 5,
                     "(if (tblsearch \"BLOCK\" (setq n (BLOCK-LIST))) n \"lost\")");
  MinicadRun result = runMinicad(folder, script, expressions, {drawing});
  ASSERT_FALSE(result.timedOut) << result.output;

  // The list as the script prints it (bytes of code page 949): "保溫" shows as itself.
  EXPECT_EQ(
      sorted(result.linesAfter("list: ")),
      sorted({"\\U+6E29", "\\U+5C42", "CAF\\U+00E9", "K\\U+00DCCHENARMATUR", "\xDC\xC1\xE8\xAE"}))
      << result.output;
  // Results as the command line prints them (UTF-8; a backslash is written doubled).
  std::vector<std::string> expected = {"nil",
                                       "\"\\\\U+6E29\"",
                                       "\"\\\\U+5C42\"",
                                       "\"CAF\\\\U+00E9\"",
                                       "\"K\\\\U+00DCCHENARMATUR\"",
                                       "\"\xE4\xBF\x9D\xE6\xBA\xAB\""};
  EXPECT_EQ(result.results(), expected) << result.output;
  EXPECT_EQ(result.exitCode, 0) << result.output;
}

} // namespace
