#include "quillmark/view/CBlockView.h"

#include "mfc/CPaintDC.h"

BEGIN_MESSAGE_MAP(CBlockView, CStatic)
// void OnPaint()
ON_WM_PAINT()
END_MESSAGE_MAP()

CBlockView::CBlockView()
    : m_pDatabase(nullptr), m_pDC(nullptr), m_pClipRgn(nullptr), m_pOldBrush(nullptr),
      m_pOldPen(nullptr), m_xform(AcGeMatrix3d::kIdentity), m_scaleBase(0.0, 0.0, 0.0),
      m_offset(0.0, 0.0, 0.0), m_scale(100.0), m_originX(0.0), m_originY(0.0), m_color(0x00FFFFFF),
      m_measuring(1), m_plainArcs(false), m_walkBudget(kWalkBudget), m_cut(false),
      m_passColor(kNoColor), m_logical(nullptr), m_logicalCapacity(0), m_tracedExactly(0)
{
  resetExtents();
}

// m_blockName goes first, then m_pen and m_brush delete what they still hold
// (members are destroyed in reverse order), then the CStatic base.
CBlockView::~CBlockView()
{
  delete[] m_logical;
}

void CBlockView::setDatabase(AcDbDatabase* db)
{
  m_pDatabase = db;
}

void CBlockView::setBlockName(const char* name)
{
  m_blockName = name != nullptr ? name : "";
}

void CBlockView::resetExtents()
{
  m_extMin = AcGePoint3d(1e30, 1e30, 1e30);
  m_extMax = AcGePoint3d(-1e30, -1e30, -1e30);
  m_measuring = 1;
}

void CBlockView::OnPaint()
{
  CPaintDC dc(this);
  paintPreview(&dc);
}

void CBlockView::paintPreview(CDC* dc)
{
  RECT client;
  GetClientRect(&client);
  CBrush background;
  background.CreateSolidBrush(0);
  dc->FillRect(&client, &background);
  background.DeleteObject();
  if (m_blockName.IsEmpty()) {
    return;
  }
  resetExtents();
  drawNamedBlock(); // measure pass
  releaseScratch();
  fitView(0.9);
  beginDraw(dc);
  drawNamedBlock(); // draw pass, cut where the measure pass was
  endDraw();
  if (m_cut) {
    drawCutMark(dc);
  }
}

void CBlockView::drawCutMark(CDC* dc)
{
  RECT client;
  GetClientRect(&client);
  // In device pixels, whatever mapping the paint left.
  int saved = ::SaveDC(dc->m_hDC);
  dc->SetMapMode(MM_TEXT);
  ::SetWindowOrgEx(dc->m_hDC, 0, 0, nullptr);
  ::SetViewportOrgEx(dc->m_hDC, 0, 0, nullptr);
  ::SelectClipRgn(dc->m_hDC, nullptr);
  CBrush brush;
  CPen pen;
  brush.CreateSolidBrush(kCutMarkColor);
  pen.CreatePen(PS_SOLID, 0, kCutMarkColor);
  CBrush* oldBrush = dc->SelectObject(&brush);
  CPen* oldPen = dc->SelectObject(&pen);
  const int r = client.right - 1, b = client.bottom - 1, s = kCutMarkSize - 1;
  const POINT corner[3] = {{r, b}, {r - s, b}, {r, b - s}};
  dc->Polygon(corner, 3);
  if (oldPen != nullptr) {
    dc->SelectObject(oldPen);
  }
  if (oldBrush != nullptr) {
    dc->SelectObject(oldBrush);
  }
  pen.DeleteObject();
  brush.DeleteObject();
  ::RestoreDC(dc->m_hDC, saved);
}

void CBlockView::beginDraw(CDC* dc)
{
  RECT client;
  GetClientRect(&client);
  int w = client.right - client.left;
  int h = client.bottom - client.top;
  m_pDC = dc;
  m_pClipRgn = new CRgn;
  m_pClipRgn->CreateRectRgnIndirect(&client);
  dc->SelectClipRgn(m_pClipRgn);
  // The window extent goes first: in MM_ISOTROPIC the viewport extent is
  // adjusted against it to keep units square.
  dc->SetMapMode(MM_ISOTROPIC);
  dc->SetWindowExt(25000, 25000);
  dc->SetViewportExt(w / 2, -(h / 2));
  dc->SetViewportOrg(w / 2, h / 2);
  // The wrappers of the objects a previous paint put out may be gone with the temporary
  // map: the first selection of this paint asks for them again.
  m_pOldBrush = nullptr;
  m_pOldPen = nullptr;
  // The first pen takes the colour the measure pass ended with, so that a
  // block of one colour makes no pen of its own.
  selectColor(m_color, 0);
}

void CBlockView::selectColor(COLORREF color, int replace)
{
  if (replace == 1) {
    restoreBrushAndPen();
  }
  // What a selection puts out is, at every change after the first, the object our first
  // selection put out, whose wrapper is known: it is looked up only when it differs.
  m_brush.CreateSolidBrush(color);
  HGDIOBJ oldBrush = ::SelectObject(m_pDC->m_hDC, m_brush.GetSafeHandle());
  if (m_pOldBrush == nullptr || m_pOldBrush->GetSafeHandle() != oldBrush) {
    m_pOldBrush = CBrush::FromHandle(static_cast<HBRUSH>(oldBrush));
  }
  m_pen.CreatePen(PS_SOLID, 0, color);
  HGDIOBJ oldPen = ::SelectObject(m_pDC->m_hDC, m_pen.GetSafeHandle());
  if (m_pOldPen == nullptr || m_pOldPen->GetSafeHandle() != oldPen) {
    m_pOldPen = CPen::FromHandle(static_cast<HPEN>(oldPen));
  }
}

void CBlockView::endDraw()
{
  restoreBrushAndPen();
  m_pOldBrush = nullptr;
  m_pOldPen = nullptr;
  if (m_pClipRgn != nullptr) {
    delete m_pClipRgn;
    m_pClipRgn = nullptr;
  }
  m_pDC = nullptr; // the paint DC ends with the paint
  releaseScratch();
}

void CBlockView::releaseScratch()
{
  m_arcPoints.setCapacity(0);
  m_pathVertices.setCapacity(0);
  m_pathBulges.setCapacity(0);
  delete[] m_logical;
  m_logical = nullptr;
  m_logicalCapacity = 0;
}

void CBlockView::restoreBrushAndPen()
{
  // When a selection failed there is no previous object to put back. What these
  // selections put out (our own brush and pen) is deleted here: no wrapper is asked for.
  if (m_pOldBrush != nullptr) {
    ::SelectObject(m_pDC->m_hDC, m_pOldBrush->GetSafeHandle());
  }
  m_brush.DeleteObject();
  if (m_pOldPen != nullptr) {
    ::SelectObject(m_pDC->m_hDC, m_pOldPen->GetSafeHandle());
  }
  m_pen.DeleteObject();
}
