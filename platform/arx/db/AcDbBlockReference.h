// AcDbBlockReference: an insertion of a block, and the multiple insert derived from it.
//   AcDbBlockReference  the block placed by an insertion point, scale, rotation and normal
//   AcDbMInsertBlock    the same block repeated in a grid of columns and rows
#pragma once

#include "arx/db/AcDbAttribute.h"
#include "arx/db/AcDbEntity.h"
#include "arx/db/AcDbObjectIterator.h"
#include "arx/db/AcDbOwnedEntities.h"
#include "arx/ge/AcGeMatrix3d.h"
#include "arx/ge/AcGeScale3d.h"

class AcDbBlockReference : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbBlockReference);
  AcDbBlockReference() = default;
  AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRecord)
      : m_block(blockTableRecord), m_position(position)
  {
  }

  AcDbObjectId blockTableRecord() const { return m_block; }
  // Insertion point in world coordinates.
  AcGePoint3d position() const { return m_position; }
  AcGeScale3d scaleFactors() const { return m_scale; }
  double rotation() const { return m_rotation; } // radians, about the normal
  AcGeVector3d normal() const { return m_normal; }
  // The map from the block's coordinates to the space holding the reference:
  // Translate(position) * OCS(normal) * Rotate(rotation about z) * Scale(factors)
  // * Translate(-block base point).
  AcGeMatrix3d blockTransform() const;

  void setBlockTableRecord(AcDbObjectId id) { m_block = id; }
  void setPosition(const AcGePoint3d& p) { m_position = p; }
  void setScaleFactors(const AcGeScale3d& s) { m_scale = s; }
  void setRotation(double r) { m_rotation = r; }
  void setNormal(const AcGeVector3d& n) { m_normal = n; }

  // The attributes (a new iterator: delete it when done), in the order they follow
  // the reference; the SEQEND after them (not opened), null while there are none.
  AcDbObjectIterator* attributeIterator() const
  {
    return new AcDbObjectIterator(&m_attributes.entities());
  }
  AcDbSequenceEnd* sequenceEnd() const { return m_attributes.sequenceEnd(); }
  // Appends an attribute made with new; the reference owns it from then on.
  Acad::ErrorStatus appendAttribute(AcDbAttribute* attribute);

private:
  AcDbOwnedEntities m_attributes;       // AcDbAttribute objects, in order
  AcDbObjectId m_block;                 // the block table record inserted
  AcGePoint3d m_position;               // world coordinates
  AcGeScale3d m_scale;                  // x, y, z factors
  AcGeVector3d m_normal{0.0, 0.0, 1.0}; // extrusion direction
  double m_rotation = 0.0;              // radians
};

class AcDbMInsertBlock : public AcDbBlockReference {
public:
  ACRX_DECLARE_MEMBERS(AcDbMInsertBlock);
  AcDbMInsertBlock() = default;

  Adesk::UInt16 columns() const { return m_columns; }
  Adesk::UInt16 rows() const { return m_rows; }
  double columnSpacing() const { return m_columnSpacing; }
  double rowSpacing() const { return m_rowSpacing; }
  void setColumns(Adesk::UInt16 n) { m_columns = n; }
  void setRows(Adesk::UInt16 n) { m_rows = n; }
  void setColumnSpacing(double d) { m_columnSpacing = d; }
  void setRowSpacing(double d) { m_rowSpacing = d; }

private:
  double m_columnSpacing = 0.0;
  double m_rowSpacing = 0.0;
  Adesk::UInt16 m_columns = 1;
  Adesk::UInt16 m_rows = 1;
};
