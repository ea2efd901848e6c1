// GDI object wrappers: FromHandle answers the attached wrapper while one is attached and
// a temporary one otherwise, however many handles come and go and in whatever order.
#include "mfc/CBrush.h"
#include "mfc/CPen.h"

#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <vector>

TEST(GdiObject, from_handle_finds_each_attached_wrapper_as_handles_come_and_go)
{
  // About a thousand pens alive, fifty made and about fifty detached a round from
  // anywhere in the list, ten thousand times over: the handle table fills, empties and
  // wraps round in every way.
  std::mt19937 random(11);
  std::vector<std::unique_ptr<CPen>> pens;
  for (int round = 0; round < 200; ++round) {
    for (int i = 0; i < 50; ++i) {
      pens.push_back(std::make_unique<CPen>());
      ASSERT_TRUE(pens.back()->CreatePen(PS_SOLID, 0, RGB(round, i, 7)));
    }
    for (size_t i = 0; i < pens.size();) {
      if (random() % 1000 < (pens.size() > 1000 ? 50000 / pens.size() : 20)) {
        HGDIOBJ handle = pens[i]->Detach();
        ASSERT_NE(handle, nullptr);
        pens.erase(pens.begin() + static_cast<long>(i));
        // No wrapper now: a temporary one, owning nothing, the same at each request.
        CPen* temporary = CPen::FromHandle(static_cast<HPEN>(handle));
        ASSERT_NE(temporary, nullptr);
        ASSERT_EQ(temporary->m_hObject, handle);
        ASSERT_EQ(CPen::FromHandle(static_cast<HPEN>(handle)), temporary);
        CGdiObject::DeleteTempMap();
        ASSERT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_PEN)) << "a temporary deleted it";
        DeleteObject(handle);
      } else {
        ++i;
      }
    }
    for (const auto& pen : pens)
      ASSERT_EQ(CPen::FromHandle(static_cast<HPEN>(pen->m_hObject)), pen.get());
  }
  // A brush's handle asked for as a brush, after it is deleted and its handle reused.
  CBrush brush;
  ASSERT_TRUE(brush.CreateSolidBrush(RGB(1, 2, 3)));
  EXPECT_EQ(CBrush::FromHandle(static_cast<HBRUSH>(brush.m_hObject)), &brush);
  brush.DeleteObject();
  EXPECT_EQ(brush.m_hObject, nullptr);
}
