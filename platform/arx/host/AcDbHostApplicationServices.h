// AcDbHostApplicationServices: the host's services to database code; its working
// database is the current document's database.
#pragma once

class AcDbDatabase;

class AcDbHostApplicationServices {
public:
  virtual ~AcDbHostApplicationServices() = default;
  // The database of the current document, or null when no document is open.
  virtual AcDbDatabase* workingDatabase() const;
};

AcDbHostApplicationServices* acdbHostApplicationServices();
// The same object, as the host's utility library exports it.
extern AcDbHostApplicationServices* s_pServices;
