// AcDbDatabase::readDwgFile and readDxfText: the database's entry to the DXF reader.
#include "arx/db/AcDbDatabase.h"
#include "arx/dxf/DxfLoader.h"

#include <cstdio>
#include <cstring>
#include <vector>

Acad::ErrorStatus AcDbDatabase::readDwgFile(const char* fileName, int /*shareMode*/,
                                            bool /*allowCPConversion*/)
{
  m_readError.clear();
  const std::string name = fileName != nullptr ? fileName : "";
  if (name.empty()) {
    m_readError = "(no file name): cannot open the file";
    return Acad::eFileNotFound;
  }
  std::FILE* f = std::fopen(fileName, "rb");
  if (f == nullptr) {
    m_readError = name + ": cannot open the file";
    return Acad::eFileNotFound;
  }
  std::vector<char> data;
  char chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
    data.insert(data.end(), chunk, chunk + n);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) {
    m_readError = name + ": cannot read the file";
    return Acad::eCantOpenFile;
  }
  return readDxfText(data.data(), data.size(), fileName);
}

Acad::ErrorStatus AcDbDatabase::readDxfText(const char* data, std::size_t size, const char* name)
{
  m_readError.clear();
  const std::string file = name != nullptr ? name : "";
  if (data == nullptr)
    size = 0;
  // A DWG drawing starts with its version ("AC1015"); a binary DXF with its sentinel.
  if (size >= 6 && std::memcmp(data, "AC10", 4) == 0 && data[4] >= '0' && data[4] <= '9') {
    m_readError = file + ": line 1: group code 0: a DWG drawing, not a DXF file";
    return Acad::eDwgNotRecognized;
  }
  if (size >= 18 && std::memcmp(data, "AutoCAD Binary DXF", 18) == 0) {
    m_readError = file + ": line 1: group code 0: a binary DXF file (only ASCII DXF is read)";
    return Acad::eDwgNotRecognized;
  }
  if (size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0) {
    data += 3; // a UTF-8 byte order mark
    size -= 3;
  }
  DxfLoader loader(*this, data != nullptr ? data : "", size);
  Acad::ErrorStatus es = loader.load();
  if (es != Acad::eOk)
    m_readError = file + ": " + loader.error();
  return es;
}
