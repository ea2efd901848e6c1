// Test support: a drawing built entity by entity through the host's database interface.
#pragma once

#include "arx/db/AcDbBlockTable.h"
#include "arx/db/AcDbDatabase.h"
#include "arx/db/AcDbLayerTable.h"

#include <gtest/gtest.h>

class TestDrawing {
public:
  TestDrawing() : db(true) {}

  // A new block definition named `name`; its id.
  AcDbObjectId addBlock(const char* name, AcGePoint3d base = AcGePoint3d::kOrigin)
  {
    AcDbBlockTable* table = nullptr;
    EXPECT_EQ(db.getSymbolTable(table, AcDb::kForWrite), Acad::eOk);
    AcDbBlockTableRecord* record = new AcDbBlockTableRecord;
    record->setName(name);
    AcDbObjectId id;
    EXPECT_EQ(table->add(id, record), Acad::eOk);
    record->setOrigin(base);
    record->close();
    table->close();
    return id;
  }

  AcDbObjectId addLayer(const char* name, int color)
  {
    AcDbLayerTable* table = nullptr;
    EXPECT_EQ(db.getSymbolTable(table, AcDb::kForWrite), Acad::eOk);
    AcDbLayerTableRecord* record = new AcDbLayerTableRecord;
    record->setName(name);
    AcCmColor c;
    c.setColorIndex(static_cast<Adesk::UInt16>(color));
    record->setColor(c);
    AcDbObjectId id;
    EXPECT_EQ(table->add(id, record), Acad::eOk);
    record->close();
    table->close();
    return id;
  }

  // Appends `entity` (made with new) to `block` with colour index `color`; its id.
  AcDbObjectId add(AcDbObjectId block, AcDbEntity* entity, int color = 7)
  {
    AcDbBlockTableRecord* record = nullptr;
    EXPECT_EQ(acdbOpenObject(record, block, AcDb::kForWrite), Acad::eOk);
    entity->setColorIndex(static_cast<Adesk::UInt16>(color));
    AcDbObjectId id;
    EXPECT_EQ(record->appendAcDbEntity(id, entity), Acad::eOk);
    entity->close();
    record->close();
    return id;
  }

  AcDbDatabase db;
};
