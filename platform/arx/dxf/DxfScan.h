// dxfScanTags: split a DXF text into group-code / value pairs, converting the
// numeric values, and nothing more: the floor against which reading is timed.
#pragma once

#include <cstddef>

// Returns the number of pairs read before the end of the text or the first fault.
std::size_t dxfScanTags(const char* data, std::size_t size);
