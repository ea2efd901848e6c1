// Decoders of DWG entities on objects written bit by bit by hand: a spline through
// fit points (its tangents, and whether it is closed: the R2013 closed bit, or before
// R2013 its last fit point made the first again) and the SOLID/TRACE pair, whose one
// decoder gives each its own class from the object type.
#include "arx/db/AcDbSolid.h"
#include "arx/db/AcDbSpline.h"
#include "arx/db/AcDbTrace.h"
#include "arx/dwg/DwgEntityReader.h"

#include "arx/ExpectPoint.h"
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {
// Bits written in order, most significant bit of each byte first.
class Bits {
public:
  Bits& operator<<(const char* text)
  {
    for (const char* p = text; *p != '\0'; ++p)
      if (*p == '0' || *p == '1')
        bit(*p == '1');
    return *this;
  }
  // RD: the 8 bytes of the double, least significant first.
  Bits& rd(double d)
  {
    std::uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    for (int k = 0; k < 8; ++k)
      for (int i = 7; i >= 0; --i)
        bit(((u >> (8 * k + i)) & 1) != 0);
    return *this;
  }
  const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
  void bit(bool one)
  {
    if (m_count % 8 == 0)
      m_bytes.push_back(0);
    if (one)
      m_bytes.back() |= static_cast<std::uint8_t>(0x80 >> (m_count % 8));
    ++m_count;
  }
  std::vector<std::uint8_t> m_bytes;
  int m_count = 0;
};

class Decoders : public ::testing::Test {
protected:
  // Decodes `bits` as an object of `type` in a drawing of `version` with `decoder`.
  std::unique_ptr<AcDbEntity> decode(DwgEntityReader::Decoder decoder, unsigned type, int version,
                                     const Bits& bits)
  {
    m_bytes = bits.bytes();
    DwgObject o;
    o.type = type;
    o.version = version;
    o.data = DwgBitReader(m_bytes.data(), m_bytes.size(), "test");
    o.data.setVersion(version);
    DwgEntityReader::Result result;
    std::unique_ptr<AcDbEntity> e((m_reader.*decoder)(o, result));
    EXPECT_TRUE(o.ok()) << o.faulted().fault();
    return e;
  }

  AcDbDatabase m_db{false};
  DrawingBuilder m_builder{m_db};
  DxfTextDecoder m_text;
  std::unordered_map<std::uint64_t, const char*> m_layers;
  std::unordered_map<std::uint64_t, AcDbObjectId> m_blocks;
  DwgEntityReader m_reader{m_builder, m_text, m_layers, m_blocks};
  std::vector<std::uint8_t> m_bytes;
};

// A fit spline's data after its scenario (and R2013 flags): degree 3, fit tolerance
// 0, no start tangent (the zero vector), end tangent (1,0,0), and four fit points
// (0,0,0) (1,0,0) (1,1,0), then `last`: "10 10 10" is (0,0,0), "10 01 10" (0,1,0).
Bits& fitData(Bits& b, const char* last)
{
  return b << "01 00000011" // BL degree 3
           << "10"          // BD fit tolerance 0
           << "10 10 10"    // start tangent: 0, 0, 0
           << "01 10 10"    // end tangent: 1, 0, 0
           << "01 00000100" // BL 4 fit points
           << "10 10 10 01 10 10 01 01 10" << last;
}

TEST_F(Decoders, fit_spline_tangents_and_closed_before_r2013)
{
  Bits closed;
  fitData(closed << "01 00000010", "10 10 10"); // scenario 2; the last point is the first
  std::unique_ptr<AcDbEntity> e = decode(&DwgEntityReader::spline, 36, 1015, closed);
  AcDbSpline* s = AcDbSpline::cast(e.get());
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->degree(), 3);
  ASSERT_EQ(s->numFitPoints(), 4);
  AcGePoint3d p;
  s->getFitPointAt(2, p);
  EXPECT_POINT(p, 1.0, 1.0, 0.0);
  EXPECT_TRUE(s->isClosed());
  AcGeVector3d start, end;
  s->getFitTangents(start, end);
  EXPECT_TRUE(start.isZeroLength()) << "a tangent left out is the zero vector";
  EXPECT_EQ(end, AcGeVector3d(1.0, 0.0, 0.0));

  Bits open;
  fitData(open << "01 00000010", "10 01 10");
  e = decode(&DwgEntityReader::spline, 36, 1018, open);
  ASSERT_NE(AcDbSpline::cast(e.get()), nullptr);
  EXPECT_FALSE(AcDbSpline::cast(e.get())->isClosed());
}

TEST_F(Decoders, fit_spline_closed_bit_from_r2013)
{
  // Scenario 2, flags 5 (fit points, closed), knot parameter 0 (chord).
  Bits closed;
  fitData(closed << "01 00000010 01 00000101 10", "10 01 10");
  std::unique_ptr<AcDbEntity> e = decode(&DwgEntityReader::spline, 36, 1027, closed);
  ASSERT_NE(AcDbSpline::cast(e.get()), nullptr);
  EXPECT_TRUE(AcDbSpline::cast(e.get())->isClosed());
  EXPECT_EQ(AcDbSpline::cast(e.get())->numFitPoints(), 4);

  // Flags 1 (fit points, open): the bit decides, not the points.
  Bits open;
  fitData(open << "01 00000010 01 00000001 10", "10 10 10");
  e = decode(&DwgEntityReader::spline, 36, 1032, open);
  ASSERT_NE(AcDbSpline::cast(e.get()), nullptr);
  EXPECT_FALSE(AcDbSpline::cast(e.get())->isClosed());
}

TEST_F(Decoders, solid_and_trace_share_their_fields_and_keep_their_classes)
{
  // Thickness 0 (BT "1"), elevation 1 (BD "01"), corners (0,0) (2,0) (0,3) (2,3) as
  // raw doubles, normal (0,0,1) (BE "1").
  Bits b;
  b << "1 01";
  b.rd(0).rd(0).rd(2).rd(0).rd(0).rd(3).rd(2).rd(3);
  b << "1";
  std::unique_ptr<AcDbEntity> solid = decode(&DwgEntityReader::quadrilateral, 31, 1015, b);
  std::unique_ptr<AcDbEntity> trace = decode(&DwgEntityReader::quadrilateral, 32, 1015, b);
  AcDbSolid* s = AcDbSolid::cast(solid.get());
  AcDbTrace* t = AcDbTrace::cast(trace.get());
  ASSERT_NE(s, nullptr);
  ASSERT_NE(t, nullptr);
  const double expected[4][3] = {{0, 0, 1}, {2, 0, 1}, {0, 3, 1}, {2, 3, 1}};
  for (Adesk::UInt16 i = 0; i < 4; ++i) {
    AcGePoint3d p, q;
    s->getPointAt(i, p);
    t->getPointAt(i, q);
    EXPECT_POINT(p, expected[i][0], expected[i][1], expected[i][2]);
    EXPECT_POINT(q, expected[i][0], expected[i][1], expected[i][2]);
  }
  EXPECT_EQ(s->normal(), AcGeVector3d::kZAxis);
  EXPECT_EQ(t->normal(), AcGeVector3d::kZAxis);
}
} // namespace
