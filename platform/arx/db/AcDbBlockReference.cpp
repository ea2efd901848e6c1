#include "arx/db/AcDbBlockReference.h"

#include "arx/db/AcDbDatabase.h"

#include "arx/db/AcDbBlockTableRecord.h"
#include "arx/db/AcDbTable.h"

ACRX_DEFINE_MEMBERS(AcDbBlockReference, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbMInsertBlock, AcDbBlockReference)
ACRX_DEFINE_MEMBERS(AcDbTable, AcDbBlockReference)

AcDbBlockReference::~AcDbBlockReference()
{
  for (AcDbEntity* a : m_attributes)
    delete a;
  delete m_sequenceEnd;
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbAttribute* attribute)
{
  if (attribute == nullptr)
    return Acad::eNullEntityPointer;
  if (attribute->database() != nullptr)
    return Acad::eAlreadyInDb;
  m_attributes.push_back(attribute);
  if (database() != nullptr)
    database()->makeResident(attribute, objectId());
  if (m_sequenceEnd == nullptr) {
    m_sequenceEnd = new AcDbSequenceEnd;
    if (database() != nullptr)
      database()->makeResident(m_sequenceEnd, objectId());
  }
  return Acad::eOk;
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
