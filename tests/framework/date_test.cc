// Dates as the report shows them.
#include "framework/gui/date.h"

#include <gtest/gtest.h>

namespace {

TEST(Date, ShortDateAndLongTimeInTheUsersLocale) {
  const Date d(2026, 3, 4, 15, 6, 7);
  const std::string date = d.ShortDate(), time = d.LongTime();
  EXPECT_NE(date.find('4'), std::string::npos) << date;
  EXPECT_NE(time.find("06"), std::string::npos) << time;
  EXPECT_NE(time.find("07"), std::string::npos) << time;
  // No time zone: the text ends with the seconds or the day-half marker.
  EXPECT_TRUE(time.back() == '7' || time.back() == 'M' || time.back() == 'm') << time;
}

TEST(Date, ANewDateHoldsTheCurrentTime) {
  const Date now;
  EXPECT_GE(now.Year(), 2024);
  EXPECT_GE(now.Month(), 1);
  EXPECT_LE(now.Month(), 12);
  EXPECT_FALSE(now.ShortDate().empty());
}

}  // namespace
