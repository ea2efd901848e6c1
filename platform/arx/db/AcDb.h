// AcDb: the host's database-wide enumerations.
#pragma once

namespace AcDb {
// How an object is opened. Readers may share an object; a writer has it alone.
enum OpenMode { kForRead = 0, kForWrite = 1, kForNotify = 2 };
} // namespace AcDb
