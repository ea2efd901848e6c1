// (BLOCK-FILE [path]) end to end: the drawing-file chooser, and the block dialog it
// opens on a drawing file.
#include "MinicadRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const char kChooser[] = "wait \"Select Drawing File\"\n";
const char kDialog[] = "wait \"Quillmark : Version 1.0 Beta2\"\n";

std::string joined(const std::vector<std::string>& lines)
{
  std::string text;
  for (const std::string& line : lines)
    text += line + "\n";
  return text;
}

// minicad runs in a folder holding root.dxf and sub\ with good.dxf, broken.dxf and
// a file that is no drawing.
class BlockFile : public ::testing::Test {
protected:
  void SetUp() override
  {
    m_folder.write("root.dxf", dxfWithBlocks({"ROOT"}));
    m_folder.write("sub\\good.dxf", dxfWithBlocks({"Sofa", "BED", "*U1"}));
    m_folder.write("sub\\broken.dxf", "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nHALF\n");
    m_folder.write("sub\\notes.txt", "not a drawing\n");
  }
  MinicadRun run(const std::string& script, const std::vector<std::string>& expressions)
  {
    MinicadRun result = runMinicad(m_folder, script, expressions, {});
    EXPECT_FALSE(result.timedOut) << "minicad did not end; it printed:\n" << result.output;
    return result;
  }
  TempFolder m_folder;
};

TEST_F(BlockFile, start_path_is_the_first_argument_when_it_is_a_string)
{
  std::string script;
  for (int i = 0; i < 4; ++i)
    script += std::string(kChooser) + "list 1002\nclick 2\n";
  MinicadRun result = run(script, {"(BLOCK-FILE)", "(BLOCK-FILE 12)", "(BLOCK-FILE \"sub\" \"x\")",
                                   "(BLOCK-FILE \"sub\")"});
  // No argument and a number both start in the current folder; a second string is ignored.
  std::string here = "[..]\n[sub]\nroot.dxf\n";
  std::string sub = "[..]\nbroken.dxf\ngood.dxf\n";
  EXPECT_EQ(joined(result.linesAfter("list: ")), here + here + sub + sub) << "minicad printed:\n"
                                                                          << result.output;
  EXPECT_EQ(result.results(), std::vector<std::string>(4, "nil"));
  EXPECT_EQ(result.exitCode, 0);
}

TEST_F(BlockFile, returns_the_chosen_file_not_the_block_browsed_from_it)
{
  std::string script = std::string(kChooser) + "select 1002 \"good.dxf\"\nclick 1004\n" + kDialog +
                       "list 1061\nselect 1061 \"SOFA\"\nclick 1\n" + kChooser + "click 1\n";
  MinicadRun result = run(script, {"(BLOCK-FILE \"sub\")"});
  EXPECT_EQ(joined(result.linesAfter("list: ")), "BED\nSOFA\n") << "minicad printed:\n"
                                                                << result.output;
  std::vector<std::string> results = result.results();
  ASSERT_EQ(results.size(), 1u) << result.output;
  const std::string tail = "good.dxf\"";
  EXPECT_TRUE(results[0].size() > tail.size() &&
              results[0].compare(results[0].size() - tail.size(), tail.size(), tail) == 0)
      << "expected the path of sub\\good.dxf, got " << results[0];
  EXPECT_EQ(result.exitCode, 0);
}

TEST_F(BlockFile, unreadable_drawing_shows_the_error_box_and_then_an_empty_dialog)
{
  std::string script = std::string(kChooser) + "select 1002 \"broken.dxf\"\nclick 1004\n" +
                       "wait \"Error\"\nclick 1\n" + kDialog + "list 1061\nclick 2\n" + kChooser +
                       "click 2\n";
  MinicadRun result = run(script, {"(BLOCK-FILE \"sub\")"});
  EXPECT_TRUE(result.linesAfter("list: ").empty()) << "minicad printed:\n" << result.output;
  EXPECT_EQ(result.results(), std::vector<std::string>{"nil"});
  EXPECT_EQ(result.exitCode, 0) << "minicad printed:\n" << result.output;
}

// Closing the chooser while the box of a drawing that cannot be read is up (the
// runner's click reaches the chooser's Cancel as a close box or Escape would): the
// box and the block dialog run to their end, and the call then returns.
TEST_F(BlockFile, chooser_closed_while_its_box_is_up_still_returns)
{
  std::string script = std::string(kChooser) + "select 1002 \"broken.dxf\"\nclick 1004\n" +
                       "click 2\nwait \"Error\"\nclick 1\n" + kDialog + "click 2\n";
  MinicadRun result = run(script, {"(BLOCK-FILE \"sub\")"});
  EXPECT_EQ(result.results(), std::vector<std::string>{"nil"}) << result.output;
  EXPECT_EQ(result.exitCode, 0) << result.output;
}

// A drawing that takes a while to read (made here: 4,000,000 lines, some 280 MB, about
// a second's read, so that Cancel is pressed well before the end) shows the host's
// progress window after half a second; its Cancel stops the read, the box says so, and
// the dialog opens on nothing half-read.
TEST_F(BlockFile, long_read_shows_progress_and_cancel_stops_it)
{
  std::string big = "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nEARLY\n10\n0\n20\n0\n30\n0\n"
                    "0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";
  const std::string line = "0\nLINE\n8\n0\n10\n1.5\n20\n2.5\n30\n0\n11\n3.5\n21\n4.5\n31\n0\n";
  big.reserve(big.size() + 4000000 * line.size() + 64);
  for (int i = 0; i < 4000000; ++i)
    big += line;
  big += "0\nENDSEC\n0\nEOF\n";
  m_folder.write("sub\\big.dxf", big);
  big.clear();
  big.shrink_to_fit();
  std::string script = std::string(kChooser) + "select 1002 \"big.dxf\"\nclick 1004\n" +
                       "wait \"Reading drawing\"\nclick 2\nwait \"Error\"\nclick 1\n" + kDialog +
                       "list 1061\nclick 2\n" + kChooser + "click 2\n";
  MinicadRun result = run(script, {"(BLOCK-FILE \"sub\")"});
  EXPECT_TRUE(result.linesAfter("list: ").empty())
      << "the block read before the cancel is not listed; minicad printed:\n"
      << result.output;
  EXPECT_EQ(result.results(), std::vector<std::string>{"nil"}) << result.output;
  EXPECT_EQ(result.exitCode, 0) << result.output;
}

TEST_F(BlockFile, a_file_whose_path_exceeds_255_characters_is_refused_not_cut)
{
  // Folders up to 240 characters, then a file whose full path has 258.
  std::string relative;
  while (m_folder.path().size() + relative.size() < 240)
    relative +=
        "\\" +
        std::string(std::min<size_t>(40, 240 - m_folder.path().size() - relative.size() - 1), 'd');
  std::string file =
      m_folder.write(relative.substr(1) + "\\abcdefghijklm.dxf", dxfWithBlocks({"X"}));
  ASSERT_EQ(file.size(), 258u);
  // The refusal is a box over the chooser with the chooser's caption; while it is up
  // only the box can be used, so the first wait finds it.
  std::string script = std::string(kChooser) + "select 1002 \"abcdefghijklm.dxf\"\nclick 1\n" +
                       kChooser + "click 1\n" + kChooser + "click 2\n";
  std::string lispPath = relative.substr(1); // '/' as separator: '\\' escapes in LISP text
  std::replace(lispPath.begin(), lispPath.end(), '\\', '/');
  MinicadRun result = run(script, {"(BLOCK-FILE \"" + lispPath + "\")"});
  EXPECT_EQ(result.results(), std::vector<std::string>{"nil"}) << result.output;
  EXPECT_EQ(result.exitCode, 0) << result.output;
}

} // namespace
