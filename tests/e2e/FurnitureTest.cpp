// The block dialog on the bundled furniture drawing: its names, its preview as saved
// by the script's snap step, and the about box.
#include "MinicadRun.h"
#include "PngPicture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The source tree's path as Wine sees it (its Unix root is drive Z:).
std::string sourcePath(const std::string& relative)
{
  std::string path = std::string("Z:") + QUILL_SOURCE_DIR + "/" + relative;
  for (char& c : path)
    if (c == '/')
      c = '\\';
  return path;
}

TEST(Furniture, lists_names_upper_cased_previews_the_selection_and_shows_the_about_box)
{
  TempFolder folder;
  std::string before = folder.path() + "\\before.png", after = folder.path() + "\\after.png";
  std::string script = "wait \"Quillmark : Version 1.0 Beta2\"\n"
                       "snap 1063 \"" +
                       before +
                       "\"\n"
                       "list 1061\n"
                       "select 1061 \"TABLE-ROUND\"\n"
                       "snap 1063 \"" +
                       after +
                       "\"\n"
                       "click 3\n"
                       "wait \"About Quillmark\"\n"
                       "click 1\n"
                       "wait \"Quillmark : Version 1.0 Beta2\"\n"
                       "click 1\n";
  MinicadRun run =
      runMinicad(folder, script, {"(BLOCK-LIST)"}, {sourcePath("samples/furniture.dxf")});
  ASSERT_FALSE(run.timedOut) << run.output;
  EXPECT_EQ(run.results(), std::vector<std::string>{"\"TABLE-ROUND\""}) << run.output;
  EXPECT_EQ(run.exitCode, 0) << run.output;

  std::vector<std::string> listed = run.linesAfter("list: ");
  auto has = [&](const char* name) {
    for (const std::string& entry : listed)
      if (entry == name)
        return true;
    return false;
  };
  EXPECT_TRUE(has("DESK-LAMP")) << "the block \"Desk-Lamp\" is listed upper-cased";
  EXPECT_FALSE(has("Desk-Lamp"));
  EXPECT_TRUE(has("CHAIR") && has("MEETING-ROOM") && has("TABLE-ROUND"));
  for (const std::string& entry : listed)
    EXPECT_NE(entry[0], '*') << "listed " << entry;

  // Before a selection the preview is black; after it the block is drawn.
  Picture empty = loadPng(before), drawn = loadPng(after);
  ASSERT_GT(empty.width, 100) << "no picture " << before;
  ASSERT_EQ(drawn.width, empty.width);
  ASSERT_EQ(drawn.height, empty.height);
  EXPECT_EQ(empty.litInside(3), 0) << "the preview shows something before a selection";
  EXPECT_GT(drawn.litInside(3), 200) << "the selected block is not drawn";
}

} // namespace
