// addToSortedList: adds many texts to a sorted (LBS_SORT) list box with the result of
// one LB_ADDSTRING per text, but fast. A sorted list box finds each new entry's place
// with a binary search of locale-aware comparisons, which for thousands of entries
// takes far longer than the user may wait for a dialog. When the box is empty and the
// texts, sorted by bytes, already stand in the box's own order (checked with the box's
// comparison, once per neighbouring pair), each is appended with LB_INSERTSTRING, which
// does not sort; otherwise each goes through LB_ADDSTRING. Redrawing is held off while
// the texts go in.
#pragma once

#include "mfc/CListBox.h"
#include "mfc/CString.h"

#include <vector>

// `texts` is sorted in place.
void addToSortedList(CListBox& list, std::vector<CString>& texts);
