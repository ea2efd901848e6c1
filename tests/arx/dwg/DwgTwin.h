// Helpers of the DWG reader's tests: a database described as text and numbers
// (tables, blocks, per entity its class, layer, colour and geometry), so that a
// DWG drawing and its DXF twin can be compared field by field.
#pragma once

#include "arx/db/AcDbDatabase.h"

#include <string>
#include <vector>

// One described thing: a label ("block *D3, entity 2: AcDbLine"), its text fields
// (compared exactly) and its numbers (compared to a relative 1e-9).
struct TwinItem {
  std::string label;
  std::string text;
  std::vector<double> numbers;
};

// The database, item by item: the nine tables' records in order (layers with colour,
// off and frozen), then each block (name, origin) followed by its entities.
std::vector<TwinItem> describeDatabase(AcDbDatabase& db);

// The differences between two descriptions, at most `limit` of them, one a line.
std::vector<std::string> compareDescriptions(const std::vector<TwinItem>& expected,
                                             const std::vector<TwinItem>& actual,
                                             std::size_t limit = 20);

// The folder of the reference drawings, or "" when it is absent.
std::string drawingsFolder();
