#include "arx/db/AcDbBlockReference.h"

#include "arx/db/AcDbDatabase.h"

#include "arx/db/AcDbBlockTableRecord.h"
#include "arx/db/AcDbTable.h"

ACRX_DEFINE_MEMBERS(AcDbBlockReference, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbMInsertBlock, AcDbBlockReference)
ACRX_DEFINE_MEMBERS(AcDbTable, AcDbBlockReference)

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbAttribute* attribute)
{
  return m_attributes.append(*this, attribute);
}

AcGeMatrix3d AcDbBlockReference::blockTransform() const
{
  // The block's base point, read without opening the record: it may be open for
  // read by the caller already, and the base point is a plain value.
  AcGePoint3d base;
  AcDbObject* target = nullptr;
  if (acdbOpenAcDbObject(target, m_block, AcDb::kForRead, true) == Acad::eOk) {
    if (const AcDbBlockTableRecord* record = AcDbBlockTableRecord::cast(target))
      base = record->origin();
    target->close();
  }
  AcGeMatrix3d m = AcGeMatrix3d::translation(m_position.asVector());
  m.postMultBy(AcGeMatrix3d::planeToWorld(m_normal));
  m.postMultBy(AcGeMatrix3d::rotation(m_rotation, AcGeVector3d::kZAxis));
  m.postMultBy(AcGeMatrix3d::scaling(m_scale));
  m.postMultBy(AcGeMatrix3d::translation(-base.asVector()));
  return m;
}
