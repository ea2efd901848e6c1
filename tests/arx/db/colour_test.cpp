// The nearest colour index of a true colour, against the standard colour index
// palette (values from the host's Select Color dialog), each worked out by hand.
#include "arx/db/AcCmColor.h"
#include "arx/db/AcCmEntityColor.h"

#include <gtest/gtest.h>

namespace {
TEST(AcCmEntityColor, palette_colours_give_their_own_index_and_the_first_of_equal_ones)
{
  // 13 is 165,82,82 and 253 is 130,130,130 in the dialog: found exactly.
  EXPECT_EQ(AcCmEntityColor::lookUpACI(165, 82, 82), 13);
  EXPECT_EQ(AcCmEntityColor::lookUpACI(130, 130, 130), 253);
  EXPECT_EQ(AcCmEntityColor::lookUpACI(80, 80, 80), 251);
  EXPECT_EQ(AcCmEntityColor::lookUpACI(190, 190, 190), 254);
  // The named colours repeat as the full shade of their hue (10, 50, 90, 130, 170,
  // 210) and white as 255: the lower index wins.
  EXPECT_EQ(AcCmEntityColor::lookUpACI(255, 0, 0), 1);
  EXPECT_EQ(AcCmEntityColor::lookUpACI(255, 255, 0), 2);
  EXPECT_EQ(AcCmEntityColor::lookUpACI(0, 255, 0), 3);
  EXPECT_EQ(AcCmEntityColor::lookUpACI(0, 255, 255), 4);
  EXPECT_EQ(AcCmEntityColor::lookUpACI(0, 0, 255), 5);
  EXPECT_EQ(AcCmEntityColor::lookUpACI(255, 0, 255), 6);
  EXPECT_EQ(AcCmEntityColor::lookUpACI(255, 255, 255), 7);
  EXPECT_EQ(AcCmEntityColor::lookUpACI(128, 128, 128), 8);
}

TEST(AcCmEntityColor, nearest_by_squared_distance_first_index_on_a_tie)
{
  // 200,10,10: 12 (165,0,0) is 35^2 + 10^2 + 10^2 = 1425 away; 1 (255,0,0) 3225,
  // 22 (165,41,0) 2286, 14 (127,0,0) 5529.
  EXPECT_EQ(AcCmEntityColor::lookUpACI(200, 10, 10), 12);
  // Black: 18 (38,0,0), 98 (0,38,0) and 178 (0,0,38) are each 1444 away, nothing
  // nearer (250 is 51,51,51): the first, 18.
  EXPECT_EQ(AcCmEntityColor::lookUpACI(0, 0, 0), 18);
  // 129,129,129 lies 3 from both 8 (128) and 253 (130): 8.
  EXPECT_EQ(AcCmEntityColor::lookUpACI(129, 129, 129), 8);
  // 0,128,255: 150 (0,127,255) is 1 away.
  EXPECT_EQ(AcCmEntityColor::lookUpACI(0, 128, 255), 150);
}

TEST(AcCmColor, a_true_colour_keeps_its_rgb_and_answers_its_nearest_index)
{
  AcCmColor c;
  EXPECT_TRUE(c.isByLayer());
  c.setRGB(200, 10, 10);
  EXPECT_TRUE(c.isByColor());
  EXPECT_FALSE(c.isByLayer());
  EXPECT_EQ(c.colorIndex(), 12);
  EXPECT_EQ(c.rgb(), 0xC80A0Au);
  c.setColorIndex(3); // an index again: the RGB goes
  EXPECT_FALSE(c.isByColor());
  EXPECT_EQ(c.rgb(), 0u);
  EXPECT_EQ(c.colorIndex(), 3);
}
} // namespace
