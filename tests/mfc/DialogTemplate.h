// A dialog template built in memory (classic DLGTEMPLATE form), so that dialog
// tests need no resource file.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class DialogTemplate {
public:
  DialogTemplate(const char* caption, short cx, short cy);

  // Adds a control of a predefined class: 0x80 button, 0x81 edit, 0x82 static,
  // 0x83 list box.
  void add(WORD classAtom, WORD id, DWORD style, const char* text, short x, short y, short cx,
           short cy);

  LPCDLGTEMPLATEA get();

private:
  void word(WORD w) { m_words.push_back(w); }
  void text(const char* s);
  void align();

  std::vector<WORD> m_words; // the template, in 16-bit units
  DWORD m_count = 0;         // controls added
};

constexpr WORD kButton = 0x80;
constexpr WORD kEdit = 0x81;
constexpr WORD kStatic = 0x82;
constexpr WORD kListBox = 0x83;
