// CString and CStringList: case changes that keep double-byte characters,
// comparison, formatting, buffer access; list order and node reuse.
#include "mfc/CStringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> items(const CStringList& list)
{
  std::vector<std::string> out;
  for (POSITION p = list.GetHeadPosition(); p != nullptr;)
    out.emplace_back(static_cast<LPCSTR>(list.GetNext(p)));
  return out;
}

std::vector<std::string> itemsBackwards(const CStringList& list)
{
  std::vector<std::string> out;
  for (POSITION p = list.GetTailPosition(); p != nullptr;)
    out.emplace_back(static_cast<LPCSTR>(list.GetPrev(p)));
  return out;
}

TEST(CString, upper_case_in_code_page_949_keeps_double_byte_characters)
{
  // "\xB0\x61" is one Korean character whose trail byte is 'a'; "\xC7\xD4" another.
  char text[] = "ab\xB0\x61-c\xC7\xD4z";
  AfxChangeCaseMbcs(text, 949, true);
  EXPECT_STREQ(text, "AB\xB0\x61-C\xC7\xD4Z");
  AfxChangeCaseMbcs(text, 949, false);
  EXPECT_STREQ(text, "ab\xB0\x61-c\xC7\xD4z");
}

TEST(CString, a_lead_byte_at_the_end_is_left_alone)
{
  char text[] = "x\xB0";
  AfxChangeCaseMbcs(text, 949, true);
  EXPECT_STREQ(text, "X\xB0");
}

TEST(CString, upper_case_in_a_single_byte_code_page_covers_its_letters)
{
  char text[] = "caf\xE9"; // e acute in code page 1252
  AfxChangeCaseMbcs(text, 1252, true);
  EXPECT_STREQ(text, "CAF\xC9");
}

TEST(CString, make_upper_changes_ascii_letters_only_in_place)
{
  CString s("Chair-2b_x");
  s.MakeUpper();
  EXPECT_STREQ(s, "CHAIR-2B_X");
  s.MakeLower();
  EXPECT_STREQ(s, "chair-2b_x");
  CString empty;
  empty.MakeUpper();
  EXPECT_TRUE(empty.IsEmpty());
}

TEST(CString, compare_is_bytewise_with_unsigned_bytes)
{
  EXPECT_EQ(CString("ABC").Compare("ABC"), 0);
  EXPECT_LT(CString("ABC").Compare("ABD"), 0);
  EXPECT_GT(CString("ABC").Compare("AB"), 0);
  EXPECT_GT(CString("\xB0\xA1").Compare("Z"), 0) << "a lead byte sorts after ASCII";
  EXPECT_LT(CString("a").Compare("b"), 0);
  EXPECT_GT(CString("a").Compare("B"), 0) << "Compare is case-sensitive";
  EXPECT_EQ(CString("chair").CompareNoCase("CHAIR"), 0);
  EXPECT_TRUE(CString("x") == "x");
  EXPECT_TRUE("x" != CString("y"));
  EXPECT_TRUE(CString() == "");
}

TEST(CString, format_and_concatenation)
{
  CString s;
  s.Format("Can't open database : %s", "C:\\x.dxf");
  EXPECT_STREQ(s, "Can't open database : C:\\x.dxf");
  std::string longText(1000, 'q');
  s.Format("%s!", longText.c_str());
  EXPECT_EQ(s.GetLength(), 1001) << "Format has no fixed limit";
  CString joined = CString("BLOCK") + "-" + CString("LIST") + '!';
  EXPECT_STREQ(joined, "BLOCK-LIST!");
  joined += "?";
  EXPECT_EQ(joined.GetLength(), 12);
}

TEST(CString, extraction_is_clamped_to_the_text)
{
  CString s("QUILLMARK");
  EXPECT_STREQ(s.Left(5), "QUILL");
  EXPECT_STREQ(s.Right(4), "MARK");
  EXPECT_STREQ(s.Mid(5), "MARK");
  EXPECT_STREQ(s.Mid(2, 3), "ILL");
  EXPECT_STREQ(s.Mid(20), "");
  EXPECT_STREQ(s.Left(50), "QUILLMARK");
  EXPECT_STREQ(s.Right(50), "QUILLMARK");
  EXPECT_EQ(s.Find('M'), 5);
  EXPECT_EQ(s.Find("MARK"), 5);
  EXPECT_EQ(s.Find('z'), -1);
}

TEST(CString, buffer_access_takes_the_length_up_to_the_terminator)
{
  CString s("old");
  char* buffer = s.GetBuffer(64);
  strcpy(buffer, "written by a Win32 call");
  s.ReleaseBuffer();
  EXPECT_STREQ(s, "written by a Win32 call");
  EXPECT_EQ(s.GetLength(), 23);
  s.GetBuffer(10);
  s.ReleaseBuffer(7);
  EXPECT_STREQ(s, "written");
}

TEST(CStringList, adds_at_both_ends_and_walks_in_both_directions)
{
  CStringList list(3);
  list.AddTail("B");
  list.AddTail("C");
  list.AddHead("A");
  list.AddTail("D");
  EXPECT_EQ(list.GetCount(), 4);
  EXPECT_EQ(items(list), (std::vector<std::string>{"A", "B", "C", "D"}));
  EXPECT_EQ(itemsBackwards(list), (std::vector<std::string>{"D", "C", "B", "A"}));
  EXPECT_STREQ(list.GetHead(), "A");
  EXPECT_STREQ(list.GetTail(), "D");
}

TEST(CStringList, removal_and_insertion_keep_the_links)
{
  CStringList list(2);
  for (const char* s : {"1", "2", "3", "4", "5"})
    list.AddTail(s);
  list.RemoveAt(list.FindIndex(2)); // the middle
  list.RemoveAt(list.GetHeadPosition());
  list.RemoveAt(list.GetTailPosition());
  EXPECT_EQ(items(list), (std::vector<std::string>{"2", "4"}));
  EXPECT_EQ(itemsBackwards(list), (std::vector<std::string>{"4", "2"}));
  list.InsertBefore(list.GetHeadPosition(), "0");
  list.InsertAfter(list.Find("2"), "3");
  list.InsertAfter(list.GetTailPosition(), "9");
  EXPECT_EQ(items(list), (std::vector<std::string>{"0", "2", "3", "4", "9"}));
  EXPECT_EQ(itemsBackwards(list), (std::vector<std::string>{"9", "4", "3", "2", "0"}));
  EXPECT_STREQ(list.RemoveHead(), "0");
  EXPECT_STREQ(list.RemoveTail(), "9");
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list.Find("9"), nullptr);
  EXPECT_EQ(list.FindIndex(3), nullptr);
  EXPECT_EQ(list.FindIndex(-1), nullptr);
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

TEST(CStringList, appending_another_list_keeps_its_order)
{
  CStringList a, b;
  a.AddTail("M");
  b.AddTail("X");
  b.AddTail("Y");
  a.AddTail(&b);
  a.AddHead(&b);
  EXPECT_EQ(items(a), (std::vector<std::string>{"X", "Y", "M", "X", "Y"}));
  EXPECT_EQ(b.GetCount(), 2);
}

} // namespace
