// Argument access: which item is argument n when lists count as one, which
// arguments are strings, and the group-code to result-type map.
#include "quillmark/host/ResultBufferList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A chain built from (type, text) pairs, linked in order; texts only for strings.
class Chain {
public:
  Chain(std::initializer_list<std::pair<short, const char*>> items)
  {
    m_items.resize(items.size());
    size_t i = 0;
    for (const auto& item : items) {
      m_items[i].restype = item.first;
      m_items[i].resval.rstring = const_cast<char*>(item.second);
      m_items[i].rbnext = i + 1 < items.size() ? &m_items[i + 1] : nullptr;
      ++i;
    }
  }
  resbuf* head() { return m_items.empty() ? nullptr : &m_items[0]; }
  resbuf* at(size_t i) { return &m_items[i]; }

private:
  std::vector<resbuf> m_items;
};

TEST(ResultBufferList, a_list_with_a_nested_list_is_one_argument)
{
  // "A" (1 2 (3)) "B"
  Chain chain({{RTSTR, "A"},
               {RTLB, nullptr},
               {RTSHORT, nullptr},
               {RTSHORT, nullptr},
               {RTLB, nullptr},
               {RTSHORT, nullptr},
               {RTLE, nullptr},
               {RTLE, nullptr},
               {RTSTR, "B"}});
  ResultBufferList args;
  args.setHead(chain.head());
  resbuf* out = nullptr;
  ASSERT_EQ(args.nth(0, &out), RTNORM);
  EXPECT_EQ(out, chain.at(0));
  ASSERT_EQ(args.nth(1, &out), RTNORM);
  EXPECT_EQ(out, chain.at(1)) << "argument 1 is the list's RTLB item";
  ASSERT_EQ(args.nth(2, &out), RTNORM);
  EXPECT_EQ(out, chain.at(8)) << "argument 2 is the string after the whole list";
  resbuf* untouched = chain.at(3);
  out = untouched;
  EXPECT_EQ(args.nth(3, &out), RTERROR);
  EXPECT_EQ(out, untouched) << "a failed nth leaves *out as it was";
  EXPECT_EQ(args.nth(-1, &out), RTERROR);

  char text[256] = "junk";
  EXPECT_EQ(args.nthString(2, text), RTNORM);
  EXPECT_STREQ(text, "B");
  strcpy(text, "junk");
  EXPECT_EQ(args.nthString(1, text), RTERROR);
  EXPECT_STREQ(text, "") << "a list is not a string, and the destination is emptied";
}

TEST(ResultBufferList, a_list_without_its_end_ends_the_walk)
{
  Chain chain({{RTLB, nullptr}, {RTLB, nullptr}, {RTSHORT, nullptr}, {RTLE, nullptr}});
  ResultBufferList args;
  args.setHead(chain.head());
  EXPECT_EQ(args.next(chain.at(0)), nullptr);
  resbuf* out = nullptr;
  EXPECT_EQ(args.nth(1, &out), RTERROR);
  EXPECT_EQ(args.next(chain.at(1)), nullptr) << "the inner list ends the chain";
  ResultBufferList empty;
  EXPECT_EQ(empty.nth(0, &out), RTERROR);
}

TEST(ResultBufferList, deep_nesting_is_walked_without_recursion)
{
  const int depth = 200000;
  std::vector<resbuf> items(static_cast<size_t>(depth) * 2 + 1);
  for (size_t i = 0; i < items.size(); ++i) {
    items[i].restype = i < static_cast<size_t>(depth) ? RTLB : RTLE;
    items[i].rbnext = i + 1 < items.size() ? &items[i + 1] : nullptr;
  }
  char tail[] = "TAIL";
  items.back().restype = RTSTR;
  items.back().resval.rstring = tail;
  ResultBufferList args;
  args.setHead(&items[0]);
  char text[256];
  EXPECT_EQ(args.nthString(1, text), RTNORM);
  EXPECT_STREQ(text, "TAIL");
}

TEST(ResultBufferList, strings_by_group_code_and_the_255_character_limit)
{
  std::string longest(255, 'x');
  std::string tooLong(256, 'y');
  Chain chain({{1, "DXF text"},
               {RTREAL, nullptr},
               {static_cast<short>(1000), "xdata"},
               {RTSTR, longest.c_str()},
               {RTSTR, tooLong.c_str()},
               {RTSTR, nullptr}});
  ResultBufferList args;
  args.setHead(chain.head());
  char text[256];
  EXPECT_EQ(args.nthString(0, text), RTNORM) << "group code 1 holds a string";
  EXPECT_STREQ(text, "DXF text");
  EXPECT_EQ(args.nthString(1, text), RTERROR);
  EXPECT_EQ(args.nthString(2, text), RTNORM);
  EXPECT_EQ(args.nthString(3, text), RTNORM);
  EXPECT_EQ(std::string(text), longest);
  EXPECT_EQ(args.nthString(4, text), RTERROR) << "256 characters do not fit the buffer";
  EXPECT_STREQ(text, "");
  EXPECT_EQ(args.nthString(5, text), RTERROR) << "a string item without text";
}

TEST(ResultBufferList, result_type_of_every_range_edge)
{
  struct Case {
    short code;
    short type;
  };
  const Case cases[] = {
      {-32768, -32768},  {-4, -4},          {-3, RTSHORT},    {-2, RTENAME},    {-1, RTENAME},
      {0, RTSTR},        {5, RTSTR},        {9, RTSTR},       {10, RT3DPOINT},  {37, RT3DPOINT},
      {38, RTREAL},      {49, RTREAL},      {50, RTANG},      {59, RTANG},      {60, RTSHORT},
      {79, RTSHORT},     {80, RTSTR},       {89, RTSTR},      {90, RTSHORT},    {99, RTSHORT},
      {100, RTSTR},      {109, RTSTR},      {110, RT3DPOINT}, {139, RT3DPOINT}, {140, RTREAL},
      {149, RTREAL},     {150, RTANG},      {159, RTANG},     {160, RTSHORT},   {179, RTSHORT},
      {180, RTSTR},      {209, RTSTR},      {210, RT3DPOINT}, {219, RT3DPOINT}, {220, 220},
      {250, 250},        {259, 259},        {260, RTSHORT},   {289, RTSHORT},   {290, 290},
      {299, 299},        {300, RTSTR},      {329, RTSTR},     {330, RTENAME},   {369, RTENAME},
      {370, 370},        {899, 899},        {900, RTSTR},     {1000, RTSTR},    {1009, RTSTR},
      {1010, RT3DPOINT}, {1039, RT3DPOINT}, {1040, RTREAL},   {1049, RTREAL},   {1050, RTANG},
      {1059, RTANG},     {1060, RTSHORT},   {1079, RTSHORT},  {1080, 1080},     {4999, 4999},
      {5000, 5000},      {5005, RTSTR},     {5017, RTLE},     {32767, 32767},
  };
  for (const Case& c : cases)
    EXPECT_EQ(resultTypeOf(c.code), c.type) << "group code " << c.code;
}

} // namespace
