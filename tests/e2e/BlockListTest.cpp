// (BLOCK-LIST) end to end: minicad loads QUILMARK.ARX, a --ui script plays the user.
#include "MinicadRun.h"
#include "PngPicture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char kDialog[] = "wait \"Quillmark : Version 1.0 Beta2\"\n";

// Block names in table order, mixed case and anonymous ones included.
const std::vector<std::string> kNames = {"Table2", "LAMP",  "CHEST",  "*U5", "CAB", "DESK-1",
                                         "A1",     "CHAIR", "DOOR_2", "B7",  "Ab"};

std::string joined(const std::vector<std::string>& lines)
{
  std::string text;
  for (const std::string& line : lines)
    text += line + "\n";
  return text;
}

class BlockList : public ::testing::Test {
protected:
  MinicadRun run(const std::string& script, const std::vector<std::string>& expressions)
  {
    std::string drawing = m_folder.write("blocks.dxf", dxfWithBlocks(kNames));
    MinicadRun result = runMinicad(m_folder, script, expressions, {drawing});
    EXPECT_FALSE(result.timedOut) << "minicad did not end; it printed:\n" << result.output;
    return result;
  }
  TempFolder m_folder;
};

TEST_F(BlockList, banner_then_patterns_filter_upper_cased_names_never_anonymous_blocks)
{
  // Each pattern is typed in lower case: the dialog matches it upper-cased.
  const struct {
    const char* pattern;
    std::vector<std::string> listed;
  } cases[] = {
      {nullptr, {"A1", "AB", "B7", "CAB", "CHAIR", "CHEST", "DESK-1", "DOOR_2", "LAMP", "TABLE2"}},
      {"c*", {"CAB", "CHAIR", "CHEST"}},
      {"~c*", {"A1", "AB", "B7", "DESK-1", "DOOR_2", "LAMP", "TABLE2"}},
      {"@#", {"A1", "B7"}},
      {"[ab]*", {"A1", "AB", "B7"}},
      {"[~a-c]*", {"DESK-1", "DOOR_2", "LAMP", "TABLE2"}},
      {"*.#", {"DESK-1", "DOOR_2"}},
      {"ch?ir,lamp", {"CHAIR", "LAMP"}},
      {"table#", {"TABLE2"}},
      {"`*u5", {}},
      {"*u5", {}},
      {"x*", {}},
  };
  std::string script = kDialog;
  std::vector<std::string> expected;
  for (const auto& c : cases) {
    if (c.pattern)
      script += std::string("type 1066 \"") + c.pattern + "\"\n";
    script += "list 1061\n";
    expected.insert(expected.end(), c.listed.begin(), c.listed.end());
  }
  script += "click 2\n";
  MinicadRun result = run(script, {"(BLOCK-LIST)"});
  EXPECT_EQ(joined(result.linesAfter("list: ")), joined(expected))
      << "entries listed after \"*\" and each pattern; minicad printed:\n"
      << result.output;
  EXPECT_EQ(result.results(), std::vector<std::string>{"nil"});
  EXPECT_EQ(result.exitCode, 0);

  // The load banner, then the call banner before the dialog shows anything.
  const char* const banner[] = {"Quillmark 1.0 Beta2 - block browser with wire-frame preview",
                                "Type (BLOCK-LIST) or (BLOCK-FILE [path]) to browse blocks.",
                                "TOLK portions created on Jan 30 2002, 04:41:13",
                                "Quillmark block browser 1.0 Beta2.",
                                "Choose a block; OK gives back its name"};
  int previous = -1;
  for (const char* line : banner) {
    int at = result.find(line);
    EXPECT_GT(at, previous) << "no line \"" << line << "\" after the one before; minicad printed:\n"
                            << result.output;
    previous = at;
  }
  EXPECT_LT(previous, result.find("list: A1")) << "banner printed after the dialog's list";
}

TEST_F(BlockList, returns_the_selected_name_upper_cased_or_nil)
{
  // Each -e call opens one dialog; the script answers them in turn.
  std::string script;
  // A mixed-case name is returned upper-cased.
  script += std::string(kDialog) + "select 1061 \"TABLE2\"\nclick 1\n";
  // A prefix that matches nothing clears the selection: OK returns nil.
  script += std::string(kDialog) + "select 1061 \"LAMP\"\ntype 1067 \"zz\"\nclick 1\n";
  // Cancel returns nil whatever is selected.
  script += std::string(kDialog) + "select 1061 \"LAMP\"\nclick 2\n";
  // Arguments are ignored.
  script += std::string(kDialog) + "select 1061 \"DESK-1\"\nclick 1\n";
  MinicadRun result =
      run(script, {"(BLOCK-LIST)", "(BLOCK-LIST)", "(BLOCK-LIST)", "(BLOCK-LIST 1 \"x\")"});
  std::vector<std::string> expected = {"\"TABLE2\"", "nil", "nil", "\"DESK-1\""};
  EXPECT_EQ(result.results(), expected) << "minicad printed:\n" << result.output;
  EXPECT_EQ(result.exitCode, 0);
}

// The preview shows what OK returns, on a drawing of the blocks A, AB and AC (each one
// line). Type-ahead selects the entry whose whole name was typed, else the first entry
// in list order that begins with the text; a new pattern keeps a selection it still
// lists and otherwise leaves nothing selected with the preview cleared to black.
TEST(BlockListSelection, type_ahead_and_pattern_changes_keep_preview_and_result_together)
{
  TempFolder folder;
  std::string drawing = folder.write("abc.dxf", dxfWithBlocks({"AC", "A", "AB"}));
  auto snap = [&](const char* name) {
    return "snap 1063 \"" + folder.path() + "\\" + name + ".png\"\n";
  };
  std::string script;
  script += std::string(kDialog) + "type 1067 \"a\"\nclick 1\n";
  script += std::string(kDialog) + "type 1067 \"ac\"\nclick 1\n";
  script += std::string(kDialog) + "type 1067 \"Ab\"\nclick 1\n";
  script += std::string(kDialog) + "select 1061 \"AB\"\n" + snap("selected") +
            "type 1066 \"a*\"\n" + snap("still-listed") + "click 1\n";
  script += std::string(kDialog) + "select 1061 \"AB\"\ntype 1066 \"ac*\"\n" + snap("dropped") +
            "click 1\n";
  MinicadRun result =
      runMinicad(folder, script, std::vector<std::string>(5, "(BLOCK-LIST)"), {drawing});
  ASSERT_FALSE(result.timedOut) << result.output;
  std::vector<std::string> expected = {"\"A\"", "\"AC\"", "\"AB\"", "\"AB\"", "nil"};
  EXPECT_EQ(result.results(), expected) << "minicad printed:\n" << result.output;
  EXPECT_EQ(result.exitCode, 0);

  Picture selected = loadPng(folder.path() + "\\selected.png");
  Picture stillListed = loadPng(folder.path() + "\\still-listed.png");
  Picture dropped = loadPng(folder.path() + "\\dropped.png");
  ASSERT_GT(selected.width, 100) << "no picture of the preview";
  EXPECT_GT(selected.litInside(3), 20) << "the selected block is not drawn";
  EXPECT_EQ(stillListed.pixels, selected.pixels) << "a still-listed block stays on screen";
  ASSERT_EQ(dropped.width, selected.width);
  EXPECT_EQ(dropped.litInside(3), 0) << "a block the pattern drops stays on screen";
}

TEST_F(BlockList, failing_step_names_its_line_and_cancels_the_dialog)
{
  MinicadRun result =
      run(std::string(kDialog) + "select 1061 \"NO-SUCH-BLOCK\"\nclick 1\n", {"(BLOCK-LIST)"});
  EXPECT_GE(result.find(":2: list 1061 has no entry \"NO-SUCH-BLOCK\"", true), 0)
      << "minicad printed:\n"
      << result.output;
  EXPECT_EQ(result.results(), std::vector<std::string>{"nil"}) << "dialog not cancelled";
  EXPECT_EQ(result.exitCode, 1);
}

// The about box is still opening (its click is handled after the next step is read)
// when a step fails: the box is closed first, then the dialog, and minicad ends. A
// dialog cancelled under an inner box would end inside the box's modal loop, and its
// own loop would wait for ever.
TEST_F(BlockList, failing_step_while_a_box_opens_closes_the_box_then_the_dialog)
{
  MinicadRun result = run(std::string(kDialog) + "click 3\nlist 9999\n", {"(BLOCK-LIST)"});
  EXPECT_GE(result.find(":3: no control 9999 in \"Quillmark : Version 1.0 Beta2\"", true), 0)
      << "minicad printed:\n"
      << result.output;
  EXPECT_EQ(result.results(), std::vector<std::string>{"nil"}) << result.output;
  EXPECT_EQ(result.exitCode, 1);
}

} // namespace
