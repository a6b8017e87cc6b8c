#include "report/launch_log.h"

#include <gtest/gtest.h>

#include "tests/fake_platform.h"

namespace {

struct TimeCase {
  std::tm time;
  const char* text;
};

// The log's time stamps keep asctime's form in every year, 2038 and later
// included, and for every width of day and time field.
TEST(LaunchLog, TimeTextInAsctimeForm) {
  const TimeCase cases[] = {
      {fake::LocalTime(2026, 12, 6, 0, 12, 57, 17), "Sun Dec  6 12:57:17 2026\n"},
      {fake::LocalTime(2038, 1, 19, 2, 3, 14, 8), "Tue Jan 19 03:14:08 2038\n"},
      {fake::LocalTime(2040, 6, 1, 5, 0, 0, 0), "Fri Jun  1 00:00:00 2040\n"},
      {fake::LocalTime(9999, 12, 31, 5, 23, 59, 59), "Fri Dec 31 23:59:59 9999\n"},
  };
  for (const TimeCase& c : cases) {
    fake::Reset();
    fake::Get().localTime = c.time;
    EXPECT_EQ(CurrentTimeText(), c.text);
  }
}

}  // namespace
