// A date and time: a new Date holds the current local date and time.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/object.h"

class Date : public Object {
 public:
  static constexpr const char* kClassName = "Date";
  // The current local date and time.
  Date();
  // A given local date and time.
  Date(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute, int64_t second);
  const char* ClassName() const override { return kClassName; }

  // The date in the user's short date format, the time in the user's long
  // time format (both from the system locale).
  std::string ShortDate() const;
  std::string LongTime() const;

  int64_t Year() const { return year_; }
  int64_t Month() const { return month_; }
  int64_t Day() const { return day_; }
  int64_t Hour() const { return hour_; }
  int64_t Minute() const { return minute_; }
  int64_t Second() const { return second_; }

 private:
  int64_t year_, month_, day_, hour_, minute_, second_;
};
