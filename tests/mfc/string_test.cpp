// CString case changes that keep double-byte characters, byte-wise comparison;
// CStringList order and links across allocation blocks.
#include "mfc/CStringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CString, case_changes_in_code_page_949_keep_double_byte_characters)
{
  // "\xB0\x61" is one Korean character whose trail byte is 'a'; "\xC7\xD4" another;
  // the lead byte at the very end has lost its trail byte and stays as it is.
  char text[] = "ab\xB0\x61-c\xC7\xD4z\xB0";
  AfxChangeCaseMbcs(text, 949, true);
  EXPECT_STREQ(text, "AB\xB0\x61-C\xC7\xD4Z\xB0");
  AfxChangeCaseMbcs(text, 949, false);
  EXPECT_STREQ(text, "ab\xB0\x61-c\xC7\xD4z\xB0");
  char latin[] = "caf\xE9"; // e acute in code page 1252 has an upper case
  AfxChangeCaseMbcs(latin, 1252, true);
  EXPECT_STREQ(latin, "CAF\xC9");
  CString s("Chair-2b_x");
  s.MakeUpper();
  EXPECT_STREQ(s, "CHAIR-2B_X");
}

TEST(CString, compare_is_bytewise_with_unsigned_bytes)
{
  EXPECT_EQ(CString("ABC").Compare("ABC"), 0);
  EXPECT_LT(CString("ABC").Compare("ABD"), 0);
  EXPECT_GT(CString("ABC").Compare("AB"), 0);
  EXPECT_GT(CString("\xB0\xA1").Compare("Z"), 0) << "a lead byte sorts after ASCII";
  EXPECT_GT(CString("a").Compare("B"), 0) << "Compare is case-sensitive";
  EXPECT_EQ(CString("chair").CompareNoCase("CHAIR"), 0);
  EXPECT_TRUE(CString() == "");
  CString formatted;
  formatted.Format("%s!", std::string(1000, 'q').c_str());
  EXPECT_EQ(formatted.GetLength(), 1001) << "Format has no fixed limit";
}

std::vector<std::string> items(const CStringList& list, bool backwards = false)
{
  std::vector<std::string> out;
  POSITION p = backwards ? list.GetTailPosition() : list.GetHeadPosition();
  while (p != nullptr)
    out.emplace_back(static_cast<LPCSTR>(backwards ? list.GetPrev(p) : list.GetNext(p)));
  return out;
}

TEST(CStringList, removal_and_insertion_keep_both_directions_linked)
{
  CStringList list(2);
  list.AddTail("2");
  list.AddTail("3");
  list.AddHead("1");
  for (const char* s : {"4", "5"})
    list.AddTail(s);
  list.RemoveAt(list.FindIndex(2)); // the middle
  list.RemoveAt(list.GetHeadPosition());
  list.RemoveAt(list.GetTailPosition());
  EXPECT_EQ(items(list), (std::vector<std::string>{"2", "4"}));
  list.InsertBefore(list.GetHeadPosition(), "0");
  list.InsertAfter(list.Find("2"), "3");
  list.InsertAfter(list.GetTailPosition(), "9");
  EXPECT_EQ(items(list), (std::vector<std::string>{"0", "2", "3", "4", "9"}));
  EXPECT_EQ(items(list, true), (std::vector<std::string>{"9", "4", "3", "2", "0"}));
  EXPECT_STREQ(list.RemoveHead(), "0");
  EXPECT_STREQ(list.RemoveTail(), "9");
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list.FindIndex(3), nullptr);
}

TEST(CStringList, many_nodes_across_blocks_and_reuse_after_remove_all)
{
  CStringList list(3);
  for (int round = 0; round < 2; ++round) {
    std::vector<std::string> expected;
    for (int i = 0; i < 50; ++i) {
      expected.push_back("name" + std::to_string(i + round));
      list.AddTail(expected.back().c_str());
    }
    EXPECT_EQ(items(list), expected);
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
  }
}

} // namespace
