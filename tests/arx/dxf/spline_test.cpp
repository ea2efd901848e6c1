// A spline's fit data from DXF: the closed bit of group 70 and the tangents 12 and 13,
// one of which the file may leave out (it is then the zero vector, as DWG keeps it).
#include "DxfText.h"

#include "arx/db/AcDbSpline.h"

#include "arx/ExpectPoint.h"
#include <gtest/gtest.h>

namespace {
TEST(DxfSpline, closed_bit_and_a_missing_start_tangent)
{
  const char* const drawing =
      "0|SECTION|2|ENTITIES|"
      "0|SPLINE|8|0|70|11|71|3|74|4|13|0|23|-1|33|0|"
      "11|0|21|0|31|0|11|1|21|0|31|0|11|1|21|1|31|0|11|0|21|0|31|0|"
      "0|SPLINE|8|0|70|8|71|2|74|2|12|0.6|22|0.8|32|0|11|0|21|0|31|0|11|5|21|5|31|0|"
      "0|ENDSEC|0|EOF";
  AcDbDatabase db(false);
  ASSERT_EQ(readDxf(db, dxfText(drawing)), Acad::eOk);
  AcDbSpline* closed = nthEntity<AcDbSpline>(db, ACDB_MODEL_SPACE, 0);
  AcDbSpline* open = nthEntity<AcDbSpline>(db, ACDB_MODEL_SPACE, 1);
  ASSERT_NE(closed, nullptr);
  ASSERT_NE(open, nullptr);
  EXPECT_TRUE(closed->isClosed()); // 11 = closed | periodic | planar
  EXPECT_FALSE(open->isClosed());  // 8 = planar
  ASSERT_EQ(closed->numFitPoints(), 4);
  AcGeVector3d start, end;
  closed->getFitTangents(start, end);
  EXPECT_TRUE(start.isZeroLength());
  EXPECT_POINT(AcGePoint3d::kOrigin + end, 0.0, -1.0, 0.0);
  open->getFitTangents(start, end);
  EXPECT_POINT(AcGePoint3d::kOrigin + start, 0.6, 0.8, 0.0);
  EXPECT_TRUE(end.isZeroLength());
  EXPECT_EQ(open->degree(), 2);
}
} // namespace
