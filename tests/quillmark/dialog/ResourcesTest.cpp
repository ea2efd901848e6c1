// The resources compiled into QUILMARK.ARX, read back as Windows reads them: the block
// dialog's extended template.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

// Reads a DLGTEMPLATEEX and its items from the resource bytes.
class TemplateReader {
public:
  explicit TemplateReader(const BYTE* data) : m_p(data), m_start(data) {}
  WORD word() { return read<WORD>(); }
  DWORD dword() { return read<DWORD>(); }
  short coord() { return read<short>(); }
  BYTE byte() { return read<BYTE>(); }
  // sz_Or_Ord: 0xFFFF then an ordinal, or a zero-terminated UTF-16 string.
  std::string nameOrOrdinal()
  {
    WORD first = word();
    if (first == 0xFFFF)
      return "#" + std::to_string(word());
    std::string text;
    for (WORD c = first; c != 0; c = word())
      text += static_cast<char>(c);
    return text;
  }
  void alignDword()
  {
    while ((m_p - m_start) % 4)
      ++m_p;
  }

private:
  template <typename T> T read()
  {
    T value;
    memcpy(&value, m_p, sizeof value);
    m_p += sizeof value;
    return value;
  }
  const BYTE* m_p;
  const BYTE* m_start;
};

struct Control {
  DWORD id;
  const char* className; // name, as the predefined class atoms stand for
  const char* text;
  short x, y, cx, cy;
  DWORD style, exStyle;
};

const Control kControls[] = {
    {0xFFFFFFFF, "STATIC", "&Selection:", 5, 149, 35, 10, 0x50020200, 0},
    {1067, "EDIT", "", 45, 148, 60, 12, 0x50810080, 0},
    {0xFFFFFFFF, "STATIC", "&Pattern:", 5, 6, 35, 10, 0x50020200, 0},
    {1066, "EDIT", "", 45, 5, 60, 12, 0x50810080, 0},
    {1061, "LISTBOX", "", 5, 20, 100, 125, 0x50A10103, 0},
    {1063, "STATIC", "", 110, 5, 185, 155, 0x50000004, 0x200},
    {3, "BUTTON", "&About", 5, 165, 50, 14, 0x50010000, 0},
    {1, "BUTTON", "&OK", 185, 165, 50, 14, 0x50010001, 0},
    {2, "BUTTON", "&Cancel", 245, 165, 50, 14, 0x50010000, 0},
};

std::string classOf(const std::string& name)
{
  if (name == "#128")
    return "BUTTON";
  if (name == "#129")
    return "EDIT";
  if (name == "#130")
    return "STATIC";
  if (name == "#131")
    return "LISTBOX";
  std::string upper = name;
  for (char& c : upper)
    c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return upper;
}

class ModuleResources : public ::testing::Test {
protected:
  void SetUp() override
  {
    m_module = LoadLibraryExA("QUILMARK.ARX", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(m_module, nullptr) << "QUILMARK.ARX not found beside the test, error "
                                 << GetLastError();
  }
  void TearDown() override
  {
    if (m_module)
      FreeLibrary(m_module);
  }
  const BYTE* load(LPCSTR type, LPCSTR name, WORD language)
  {
    HRSRC found = FindResourceExA(m_module, type, name, language);
    if (!found)
      return nullptr;
    return static_cast<const BYTE*>(LockResource(LoadResource(m_module, found)));
  }
  HMODULE m_module = nullptr;
};

TEST_F(ModuleResources, block_dialog_template_is_extended_with_nine_controls_in_tab_order)
{
  const BYTE* data =
      load(RT_DIALOG, MAKEINTRESOURCEA(145), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  ASSERT_NE(data, nullptr) << "no English (United States) dialog 145";
  TemplateReader r(data);
  EXPECT_EQ(r.word(), 1) << "template version";
  EXPECT_EQ(r.word(), 0xFFFF) << "extended template signature";
  EXPECT_EQ(r.dword(), 0u) << "help id";
  EXPECT_EQ(r.dword(), 0u) << "extended style";
  EXPECT_EQ(r.dword(), 0x80C800C0u) << "style";
  WORD count = r.word();
  ASSERT_EQ(count, 9) << "number of controls";
  short pos[4] = {r.coord(), r.coord(), r.coord(), r.coord()};
  EXPECT_EQ(pos[0], 0);
  EXPECT_EQ(pos[1], 0);
  EXPECT_EQ(pos[2], 300);
  EXPECT_EQ(pos[3], 185);
  EXPECT_EQ(r.nameOrOrdinal(), "") << "menu";
  EXPECT_EQ(r.nameOrOrdinal(), "") << "class";
  EXPECT_EQ(r.nameOrOrdinal(), "Quillmark : Version 1.0 Beta2");
  EXPECT_EQ(r.word(), 8) << "font size";
  EXPECT_EQ(r.word(), 0) << "font weight";
  EXPECT_EQ(r.byte(), 0) << "italic";
  EXPECT_EQ(r.byte(), 1) << "character set";
  EXPECT_EQ(r.nameOrOrdinal(), "MS Sans Serif");

  for (const Control& want : kControls) {
    SCOPED_TRACE(std::string("control ") + std::to_string(static_cast<int>(want.id)) + " " +
                 want.text);
    r.alignDword();
    EXPECT_EQ(r.dword(), 0u) << "help id";
    EXPECT_EQ(r.dword(), want.exStyle) << "extended style";
    EXPECT_EQ(r.dword(), want.style) << "style";
    short x = r.coord(), y = r.coord(), cx = r.coord(), cy = r.coord();
    EXPECT_EQ(x, want.x);
    EXPECT_EQ(y, want.y);
    EXPECT_EQ(cx, want.cx);
    EXPECT_EQ(cy, want.cy);
    EXPECT_EQ(r.dword(), want.id) << "id";
    EXPECT_EQ(classOf(r.nameOrOrdinal()), want.className);
    EXPECT_EQ(r.nameOrOrdinal(), want.text);
    EXPECT_EQ(r.word(), 0) << "creation data";
  }
}

} // namespace
