#include "arx/host/AcDbHostApplicationServices.h"

#include "arx/host/AcApDocument.h"

AcDbDatabase* AcDbHostApplicationServices::workingDatabase() const
{
  AcApDocument* doc = curDoc();
  return doc != nullptr ? doc->database() : nullptr;
}

namespace {

AcDbHostApplicationServices services;

} // namespace

AcDbHostApplicationServices* s_pServices = &services;

AcDbHostApplicationServices* acdbHostApplicationServices()
{
  return s_pServices;
}
