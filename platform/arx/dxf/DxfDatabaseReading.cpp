// AcDbDatabase::readDwgFile and readDxfText: the database's entry to the DXF and DWG
// readers. A file's first bytes choose the reader, never its name.
#include "arx/db/AcDbDatabase.h"
#include "arx/db/DrawingReadWatcher.h"
#include "arx/dwg/DwgLoader.h"
#include "arx/dxf/DxfLoader.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace {
// A DWG drawing starts with its version ("AC1015"), a binary DXF with its sentinel.
// Returns eOk for anything else, with `skip` set past a UTF-8 byte order mark.
Acad::ErrorStatus checkSignature(const char* data, std::size_t size, const std::string& file,
                                 std::string& error, std::size_t& skip)
{
  skip = 0;
  if (size >= 6 && std::memcmp(data, "AC10", 4) == 0 && data[4] >= '0' && data[4] <= '9') {
    error = file + ": line 1: group code 0: a DWG drawing, not a DXF file";
    return Acad::eDwgNotRecognized;
  }
  if (size >= 18 && std::memcmp(data, "AutoCAD Binary DXF", 18) == 0) {
    error = file + ": line 1: group code 0: a binary DXF file (only ASCII DXF is read)";
    return Acad::eDwgNotRecognized;
  }
  if (size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0)
    skip = 3;
  return Acad::eOk;
}
} // namespace

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
  // A host may show the read's progress and let the user stop it; a stopped read
  // leaves nothing half-read behind.
  DrawingReadWatcher* watcher = drawingReadWatcher();
  if (watcher != nullptr)
    watcher->begin(fileName);
  Acad::ErrorStatus es = readOpenFile(f, name);
  std::fclose(f);
  if (watcher != nullptr && watcher->end()) {
    discardContents();
    m_readError = name + ": Reading cancelled";
    es = Acad::eFileAccessErr;
  }
  return es;
}

Acad::ErrorStatus AcDbDatabase::readOpenFile(std::FILE* f, const std::string& name)
{
  // The file is read as it goes: no copy of a large drawing is held in memory.
  char head[32];
  const std::size_t got = std::fread(head, 1, sizeof head, f);
  if (DwgLoader::looksLikeDwg(head, got))
    return readDwg(f, name);
  std::size_t skip = 0;
  Acad::ErrorStatus es = checkSignature(head, got, name, m_readError, skip);
  if (es == Acad::eOk &&
      (std::ferror(f) != 0 || std::fseek(f, static_cast<long>(skip), SEEK_SET) != 0)) {
    m_readError = name + ": cannot read the file";
    es = Acad::eCantOpenFile;
  }
  if (es == Acad::eOk) {
    long size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0)
      size = std::ftell(f);
    std::fseek(f, static_cast<long>(skip), SEEK_SET);
    DxfLoader loader(*this, f);
    loader.setSize(size > 0 ? static_cast<std::size_t>(size) : 0);
    es = loader.load();
    if (es != Acad::eOk)
      m_readError = name + ": " + loader.error();
  }
  return es;
}

// A DWG file is read whole: its sections and objects are found by their offsets. The
// buffer is not cleared first (the file fills it), which spares a pass over its pages.
Acad::ErrorStatus AcDbDatabase::readDwg(std::FILE* f, const std::string& name)
{
  long size = -1;
  if (std::fseek(f, 0, SEEK_END) == 0)
    size = std::ftell(f);
  if (size < 0 || std::fseek(f, 0, SEEK_SET) != 0) {
    m_readError = name + ": cannot read the file";
    return Acad::eCantOpenFile;
  }
  const std::size_t n = static_cast<std::size_t>(size);
  std::unique_ptr<std::uint8_t[]> data(new (std::nothrow) std::uint8_t[n > 0 ? n : 1]);
  if (data == nullptr) {
    m_readError = name + ": not enough memory to read the file";
    return Acad::eOutOfMemory;
  }
  if (std::fread(data.get(), 1, n, f) != n) {
    m_readError = name + ": cannot read the file";
    return Acad::eCantOpenFile;
  }
  return readDwgData(data.get(), n, name.c_str());
}

Acad::ErrorStatus AcDbDatabase::readDwgData(const unsigned char* data, std::size_t size,
                                            const char* name)
{
  m_readError.clear();
  const std::string file = name != nullptr ? name : "";
  DwgLoader loader(*this, data, data != nullptr ? size : 0);
  Acad::ErrorStatus es = loader.load();
  if (es != Acad::eOk)
    m_readError = file + ": " + loader.error();
  return es;
}

Acad::ErrorStatus AcDbDatabase::readDxfText(const char* data, std::size_t size, const char* name)
{
  m_readError.clear();
  const std::string file = name != nullptr ? name : "";
  if (data == nullptr)
    size = 0;
  std::size_t skip = 0;
  Acad::ErrorStatus es = checkSignature(data, size, file, m_readError, skip);
  if (es != Acad::eOk)
    return es;
  DxfLoader loader(*this, data != nullptr ? data + skip : "", size - skip);
  es = loader.load();
  if (es != Acad::eOk)
    m_readError = file + ": " + loader.error();
  return es;
}
