// EXPECT_POINT: a point's three coordinates, each within 1e-9 of what is expected,
// with a message naming the coordinate and the expression.
#pragma once

#include "arx/ge/AcGePoint3d.h"

#include <gtest/gtest.h>

#define EXPECT_POINT(p, ex, ey, ez)                                                                \
  do {                                                                                             \
    AcGePoint3d got_ = (p);                                                                        \
    EXPECT_NEAR(got_.x, ex, 1e-9) << "x of " #p;                                                   \
    EXPECT_NEAR(got_.y, ey, 1e-9) << "y of " #p;                                                   \
    EXPECT_NEAR(got_.z, ez, 1e-9) << "z of " #p;                                                   \
  } while (0)
