// The walk over a block's entities: colour per entity, dispatch by class, and
// the recursion into block references and multiple inserts.
#include "quillmark/dialog/DrawingAccess.h"
#include "quillmark/render/EntityClasses.h"
#include "quillmark/view/AciPalette.h"
#include "quillmark/view/CBlockView.h"

#include <algorithm>

namespace {

// Deeper nesting than this is taken for a damaged drawing and not walked.
const size_t kMaxNesting = 128;

template <class Entity, void (CBlockView::*Draw)(Entity*)>
void callDrawer(CBlockView* view, AcDbEntity* entity)
{
  (view->*Draw)(static_cast<Entity*>(entity));
}

struct DispatchRow {
  AcRxClass* (*desc)();                   // the class tested
  void (*draw)(CBlockView*, AcDbEntity*); // its drawer
};

// The order of the tests is part of the contract: a class takes the row of the
// first of its bases tested (an attribute definition is a text, a multiple
// insert is tested before the block reference it derives from).
const DispatchRow kDispatch[] = {
    {&AcDbPoint::desc, &callDrawer<AcDbPoint, &CBlockView::drawPoint>},
    {&AcDbFace::desc, &callDrawer<AcDbFace, &CBlockView::drawFace>},
    {&AcDbSolid::desc, &callDrawer<AcDbSolid, &CBlockView::drawSolid>},
    {&AcDbTrace::desc, &callDrawer<AcDbTrace, &CBlockView::drawTrace>},
    {&AcDbMline::desc, &callDrawer<AcDbMline, &CBlockView::drawMline>},
    {&AcDbShape::desc, &callDrawer<AcDbEntity, &CBlockView::drawExtentsBox>},
    {&AcDbText::desc, &callDrawer<AcDbEntity, &CBlockView::drawExtentsBox>},
    {&AcDbViewport::desc, &callDrawer<AcDbViewport, &CBlockView::drawViewport>},
    {&AcDbOle2Frame::desc, &callDrawer<AcDbEntity, &CBlockView::drawExtentsBox>},
    {&AcDbOleFrame::desc, &callDrawer<AcDbEntity, &CBlockView::drawExtentsBox>},
    {&AcDbFrame::desc, &callDrawer<AcDbEntity, &CBlockView::drawExtentsBox>},
    {&AcDbHatch::desc, &callDrawer<AcDbHatch, &CBlockView::drawHatch>},
    {&AcDbProxyEntity::desc, &callDrawer<AcDbEntity, &CBlockView::drawExtentsBox>},
    {&AcDbRasterImage::desc, &callDrawer<AcDbRasterImage, &CBlockView::drawRasterImage>},
    {&AcDbLine::desc, &callDrawer<AcDbLine, &CBlockView::drawLine>},
    {&AcDbRay::desc, &callDrawer<AcDbRay, &CBlockView::drawRay>},
    {&AcDbXline::desc, &callDrawer<AcDbXline, &CBlockView::drawXline>},
    {&AcDbArc::desc, &callDrawer<AcDbArc, &CBlockView::drawArc>},
    {&AcDbCircle::desc, &callDrawer<AcDbCircle, &CBlockView::drawCircle>},
    {&AcDbEllipse::desc, &callDrawer<AcDbEntity, &CBlockView::drawExtentsBox>},
    {&AcDbSpline::desc, &callDrawer<AcDbSpline, &CBlockView::drawSpline>},
    {&AcDbLeader::desc, &callDrawer<AcDbLeader, &CBlockView::drawLeader>},
    {&AcDbPolyline::desc, &callDrawer<AcDbPolyline, &CBlockView::drawLightweightPolyline>},
    {&AcDb2dPolyline::desc, &callDrawer<AcDb2dPolyline, &CBlockView::draw2dPolyline>},
    {&AcDb3dPolyline::desc, &callDrawer<AcDb3dPolyline, &CBlockView::draw3dPolyline>},
    {&AcDbMInsertBlock::desc, &callDrawer<AcDbMInsertBlock, &CBlockView::drawMInsert>},
    {&AcDbBlockReference::desc, &callDrawer<AcDbBlockReference, &CBlockView::drawBlockReference>},
};

// A zero x or y scale collapses the block; a zero z scale only flattens it,
// which leaves a flat block as it is (some writers store inserts so).
bool collapsesBlock(const AcGeScale3d& s)
{
  return s.sx == 0.0 || s.sy == 0.0;
}

} // namespace

void CBlockView::drawNamedBlock()
{
  m_walkBudget = kWalkBudget; // each call is one pass
  m_cut = false;
  m_passColor = kNoColor;
  AcDbBlockTableRecord* record = findBlockRecord(m_pDatabase, m_blockName);
  if (record != nullptr) {
    drawBlockRecord(record);
  }
}

// The record is open for read; the walk closes it, whatever happens.
void CBlockView::drawBlockRecord(AcDbBlockTableRecord* record)
{
  if (record == nullptr) {
    return;
  }
  m_walking.push_back(record->objectId());
  AcDbBlockTableRecordIterator* iterator = nullptr;
  record->newIterator(iterator, true, true);
  if (iterator != nullptr) {
    for (iterator->start(true, true); !iterator->done() && spend(kEntityCost);
         iterator->step(true, true)) {
      AcDbEntity* entity = nullptr;
      iterator->getEntity(entity, AcDb::kForRead, false);
      if (entity == nullptr) {
        continue;
      }
      // Colour is set for every entity, also for those nothing is drawn for;
      // a pen is made only when the colour changes.
      COLORREF color = aciToRgb(entityColorIndex(m_pDatabase, entity));
      // The budget counts colour changes within the pass (m_color carries over
      // from the previous pass, which would make the two passes differ).
      if (color != m_passColor) {
        if (!spend(kColorCost)) {
          entity->close();
          break;
        }
        m_passColor = color;
      }
      if (color != m_color) {
        if (m_measuring == 0) {
          selectColor(color, 1);
        }
        m_color = color;
      }
      drawEntity(entity);
      entity->close();
    }
  }
  record->close();
  delete iterator;
  m_walking.pop_back();
}

// The row a class takes: the first whose class it is or derives from; -1 for none.
static int dispatchRowOf(AcRxClass* cls)
{
  const int rows = static_cast<int>(sizeof(kDispatch) / sizeof(kDispatch[0]));
  for (int i = 0; i < rows; ++i) {
    if (cls->isDerivedFrom(kDispatch[i].desc())) {
      return i;
    }
  }
  return -1;
}

void CBlockView::drawEntity(AcDbEntity* entity)
{
  if (entity == nullptr) {
    return;
  }
  // Class descriptors live as long as the process and a class's row never
  // changes, so the last few answers are remembered (UI thread only).
  static AcRxClass* seen[8] = {};
  static int rowOf[8] = {};
  static unsigned next = 0;
  AcRxClass* cls = entity->isA();
  int row = -2;
  for (int i = 0; i < 8; ++i) {
    if (seen[i] == cls) {
      row = rowOf[i];
      break;
    }
  }
  if (row == -2) {
    row = dispatchRowOf(cls);
    seen[next % 8] = cls;
    rowOf[next % 8] = row;
    ++next;
  }
  if (row >= 0) {
    kDispatch[row].draw(this, entity);
  }
}

bool CBlockView::mayWalk(const AcDbObjectId& id) const
{
  if (m_walking.size() >= kMaxNesting) {
    return false;
  }
  return std::find(m_walking.begin(), m_walking.end(), id) == m_walking.end();
}

AcGeMatrix3d CBlockView::nestedTransform(const AcGeMatrix3d& blockTransform) const
{
  // In the previewed block itself the reference's transform is used as it is.
  if (m_xform == AcGeMatrix3d::kIdentity && m_offset == AcGePoint3d::kOrigin) {
    return blockTransform;
  }
  // Deeper, the inner block lands where the enclosing block puts it: its points
  // are mapped by the inner transform, then moved by the enclosing cell's offset,
  // then mapped by the transform in force.
  return m_xform * AcGeMatrix3d::translation(m_offset.asVector()) * blockTransform;
}

AcDbBlockTableRecord* CBlockView::openReferencedBlock(AcDbBlockReference* reference)
{
  // A zero x or y scale collapses the block: nothing is drawn, and no spacing
  // is divided by it.
  if (collapsesBlock(reference->scaleFactors())) {
    return nullptr;
  }
  AcDbObjectId id = reference->blockTableRecord();
  if (!mayWalk(id)) {
    return nullptr;
  }
  return openBlockRecord(id);
}

void CBlockView::drawBlockReference(AcDbBlockReference* reference)
{
  if (!spend(kCellCost)) {
    return;
  }
  AcDbBlockTableRecord* record = openReferencedBlock(reference);
  if (record == nullptr) {
    return;
  }
  AcGeMatrix3d savedXform = m_xform;
  AcGePoint3d savedOffset = m_offset;
  m_xform = nestedTransform(reference->blockTransform());
  m_offset = AcGePoint3d::kOrigin; // folded into m_xform
  drawBlockRecord(record);
  m_offset = savedOffset;
  m_xform = savedXform;
}

void CBlockView::drawMInsert(AcDbMInsertBlock* reference)
{
  AcDbBlockTableRecord* record = openReferencedBlock(reference);
  if (record == nullptr) {
    return;
  }
  AcGeScale3d scale = reference->scaleFactors(); // sx and sy are not zero here
  AcDbObjectId id = reference->blockTableRecord();
  AcGeMatrix3d savedXform = m_xform;
  AcGePoint3d savedOffset = m_offset;
  unsigned int columns = reference->columns();
  unsigned int rows = reference->rows();
  // The spacings in the block's own units, before the transform scales them back.
  double dx = reference->columnSpacing() / scale.sx;
  double dy = reference->rowSpacing() / scale.sy;
  m_xform = nestedTransform(reference->blockTransform());
  m_offset = AcGePoint3d::kOrigin; // an enclosing cell's offset is folded into m_xform
  double startY = m_offset.y;
  // Cells column by column, rows inside; the offsets accumulate by addition.
  // The record opened above serves the first walk; each later walk opens it again.
  bool walked = false;
  for (unsigned int c = 0; c < columns && !m_cut; ++c) {
    m_offset.y = startY;
    for (unsigned int r = 0; r < rows && spend(kCellCost); ++r) {
      AcDbBlockTableRecord* cell = walked ? openBlockRecord(id) : record;
      walked = true;
      if (cell != nullptr) {
        drawBlockRecord(cell);
      }
      m_offset.y += dy;
    }
    m_offset.x += dx;
  }
  if (!walked) {
    record->close(); // no cells: opened, not walked
  }
  m_offset = savedOffset;
  m_xform = savedXform;
}
