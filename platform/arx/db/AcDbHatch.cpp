#include "arx/db/AcDbHatch.h"

ACRX_DEFINE_MEMBERS(AcDbHatch, AcDbEntity)

AcDbHatch::AcDbHatch() = default;
AcDbHatch::~AcDbHatch() = default;

void AcDbHatch::evaluate() const
{
  if (m_evaluated)
    return;
  m_evaluated = true;
  m_lines.clear();
  if (m_solid || m_pattern.empty() || m_loops.empty())
    return;
  m_lines = generateHatchLines(m_pattern, m_loops, kMaxHatchLines);
  if (m_lines.size() > static_cast<std::size_t>(kMaxHatchLines))
    m_lines.resize(kMaxHatchLines);
}

int AcDbHatch::numHatchLines() const
{
  evaluate();
  return static_cast<int>(m_lines.size());
}

Acad::ErrorStatus AcDbHatch::getHatchLineDataAt(int index, AcGePoint2d& startPoint,
                                                AcGePoint2d& endPoint) const
{
  evaluate();
  if (index < 0 || index >= static_cast<int>(m_lines.size()))
    return Acad::eInvalidIndex;
  startPoint = m_lines[index].start;
  endPoint = m_lines[index].end;
  return Acad::eOk;
}

void AcDbHatch::setSolidFill(bool solid)
{
  m_solid = solid;
  m_evaluated = false;
}

void AcDbHatch::setPatternDefinition(std::vector<HatchPatternLine> lines)
{
  m_pattern = std::move(lines);
  m_evaluated = false;
}

void AcDbHatch::appendLoop(HatchLoop loop)
{
  m_loops.push_back(std::move(loop));
  m_evaluated = false;
}
