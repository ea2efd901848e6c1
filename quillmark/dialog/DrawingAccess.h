// Drawing access: the module's read-only gateway into a drawing database.
//   entityColorIndex   the colour index an entity is drawn in (BYBLOCK -> 7, BYLAYER -> its
//   layer's) layerColorIndex    a layer's colour index, 7 when the layer cannot be found
//   findLayerRecord    a layer record by name, open for read, or null
//   openBlockRecord    a block table record by object id, open for read, or null
//   findBlockRecord    a block table record by name, open for read, or null
//   listTableNames     append the record names of one of the nine symbol tables
//   collectRecordNames append the names an iterator yields
// Everything is opened for read only and nothing is written. Records handed out
// are closed by the caller; names the host hands out are released with free().
// A colour that cannot be resolved is 7; failures print the host's messages.
#pragma once

#include "arx/db/AcDbObjectId.h"
#include "mfc/CStringList.h"

class AcDbDatabase;
class AcDbEntity;
class AcDbLayerTableRecord;
class AcDbBlockTableRecord;
class AcDbSymbolTableIterator;

// 0 blocks, 1 dimension styles, 2 layers, 3 linetypes, 4 registered applications,
// 5 text styles, 6 user coordinate systems, 7 views, 8 viewports.
typedef unsigned int SymbolTableKind;

int entityColorIndex(AcDbDatabase* database, AcDbEntity* entity);
int layerColorIndex(AcDbDatabase* database, const char* name);
AcDbLayerTableRecord* findLayerRecord(AcDbDatabase* database, const char* name);
AcDbBlockTableRecord* openBlockRecord(AcDbObjectId id);
AcDbBlockTableRecord* findBlockRecord(AcDbDatabase* database, const char* name);
// 0 on success, 2 for a kind above 8 (the list is left alone), otherwise the
// host's failing status (names appended before the failure stay in the list).
int listTableNames(AcDbDatabase* database, CStringList& list, SymbolTableKind kind);
// 0 on success, else the status of the record that could not be opened.
int collectRecordNames(AcDbSymbolTableIterator* iterator, CStringList& list);
