// DrawingBuilder: the narrow interface through which a reader fills a database.
// It adds records and entities without the open/close protocol (nothing is open
// while a drawing is read) and leaves the database consistent after every call.
#pragma once

#include "arx/db/AcDbBlockTableRecord.h"
#include "arx/db/AcDbDatabase.h"
#include "arx/db/AcDbLayerTable.h"

#include <string>

class DrawingBuilder {
public:
  explicit DrawingBuilder(AcDbDatabase& database) : m_db(database) {}

  // The records every database holds: "*Model_Space", "*Paper_Space", layer "0";
  // with `newDrawing`, also those of a new drawing (linetypes, styles, "ACAD", "*Active").
  void addDefaults(bool newDrawing);
  // The record of table `kind` (0 blocks .. 8 viewports, as AcDbDatabase orders
  // them) with that name, made at the end of the table when there is none.
  AcDbSymbolTableRecord* record(int kind, const char* name);
  // A block by name; the R12 names "$MODEL_SPACE" and "$PAPER_SPACE" (any case)
  // are the model and paper space records.
  AcDbBlockTableRecord* block(const char* name);
  // The block of that name if the database has one (R12 names mapped as above).
  AcDbBlockTableRecord* findBlock(const char* name) const;
  AcDbLayerTableRecord* layer(const char* name);

  // Gives a new entity its layer (interned) and colour index.
  void setLayer(AcDbEntity* entity, const char* name);
  // The same with a name this database has interned already (intern()).
  void setLayerName(AcDbEntity* entity, const char* interned) { entity->m_layer = interned; }
  void setColorIndex(AcDbEntity* entity, Adesk::UInt16 index) { entity->m_color = index; }
  // A true colour 0xRRGGBB: kept, with its nearest colour index as the entity's index.
  void setTrueColor(AcDbEntity* entity, Adesk::UInt32 rgb)
  {
    AcCmColor c;
    c.setRGB(static_cast<Adesk::UInt8>(rgb >> 16), static_cast<Adesk::UInt8>(rgb >> 8),
             static_cast<Adesk::UInt8>(rgb));
    entity->setColor(c);
  }
  // Appends a new entity to a block; it becomes resident and stays closed.
  void append(AcDbBlockTableRecord* block, AcDbEntity* entity);
  const char* intern(const char* text) { return m_db.internName(text); }
  void setOrigin(AcDbBlockTableRecord* block, const AcGePoint3d& origin)
  {
    block->m_origin = origin;
  }

  void setVersion(const char* version) { m_db.m_version = version; }
  void setReadError(const std::string& text) { m_db.m_readError = text; }

  // How far the reader is (0 to 1): `position(arg)`, asked every so many records
  // and entities when a watcher follows the read (DrawingReadWatcher).
  void setPosition(double (*position)(const void*), const void* arg)
  {
    m_position = position;
    m_positionArg = arg;
  }
  // The watcher stopped the read: the reader should stop too.
  bool cancelled() const { return m_cancelled; }
  // Tells the watcher how far the read is now, whatever the count: for a reader whose
  // items are few and heavy (a DWG's objects), every so many of them.
  void askWatcherNow() { askWatcher(); }

private:
  // Every 1024 records and entities: tells the watcher how far the read is.
  void poll()
  {
    if ((++m_added & 1023) == 0)
      askWatcher();
  }
  void askWatcher();

  AcDbDatabase& m_db;                          // the database filled
  unsigned long m_added = 0;                   // records and entities added so far
  double (*m_position)(const void*) = nullptr; // how far the reader is, or null
  const void* m_positionArg = nullptr;         // its argument
  bool m_cancelled = false;                    // the watcher stopped the read
};
