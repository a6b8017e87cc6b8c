#include <gtest/gtest.h>

#include "report/launch_log.h"
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
      {{17, 57, 12, 6, 11, 2026 - 1900, 0, 0, 0}, "Sun Dec  6 12:57:17 2026\n"},
      {{8, 14, 3, 19, 0, 2038 - 1900, 2, 0, 0}, "Tue Jan 19 03:14:08 2038\n"},
      {{0, 0, 0, 1, 5, 2040 - 1900, 5, 0, 0}, "Fri Jun  1 00:00:00 2040\n"},
      {{59, 59, 23, 31, 11, 9999 - 1900, 5, 0, 0}, "Fri Dec 31 23:59:59 9999\n"},
  };
  for (const TimeCase& c : cases) {
    fake::Reset();
    fake::Get().localTime = c.time;
    EXPECT_EQ(CurrentTimeText(), c.text);
  }
}

}  // namespace
