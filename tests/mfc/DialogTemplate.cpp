#include "DialogTemplate.h"

DialogTemplate::DialogTemplate(const char* caption, short cx, short cy)
{
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  word(LOWORD(style));
  word(HIWORD(style));
  word(0); // extended style
  word(0);
  word(0); // control count, patched in get()
  word(0); // x, y
  word(0);
  word(static_cast<WORD>(cx));
  word(static_cast<WORD>(cy));
  word(0); // no menu
  word(0); // the standard dialog class
  text(caption);
}

void DialogTemplate::text(const char* s)
{
  for (; *s != 0; ++s)
    word(static_cast<WORD>(static_cast<unsigned char>(*s)));
  word(0);
}

void DialogTemplate::align()
{
  if (m_words.size() % 2 != 0)
    word(0);
}

void DialogTemplate::add(WORD classAtom, WORD id, DWORD style, const char* caption, short x,
                         short y, short cx, short cy)
{
  align();
  style |= WS_CHILD | WS_VISIBLE;
  word(LOWORD(style));
  word(HIWORD(style));
  word(0);
  word(0);
  word(static_cast<WORD>(x));
  word(static_cast<WORD>(y));
  word(static_cast<WORD>(cx));
  word(static_cast<WORD>(cy));
  word(id);
  word(0xFFFF);
  word(classAtom);
  text(caption);
  word(0); // no creation data
  ++m_count;
}

LPCDLGTEMPLATEA DialogTemplate::get()
{
  m_words[4] = static_cast<WORD>(m_count);
  return reinterpret_cast<LPCDLGTEMPLATEA>(m_words.data());
}
