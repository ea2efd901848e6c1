#include "mfc/CListBox.h"

void CListBox::GetText(int index, CString& text) const
{
  const int length = GetTextLen(index);
  if (length == LB_ERR) {
    text.Empty();
    return;
  }
  const int copied = GetText(index, text.GetBufferSetLength(length));
  text.ReleaseBuffer(copied == LB_ERR ? 0 : copied);
}
