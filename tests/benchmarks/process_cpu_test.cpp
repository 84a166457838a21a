// SPDX-License-Identifier: MIT
// Tests of the window benchmark's CPU clock: /proc/<pid>/stat and schedstat fields, DISPLAY values.
#include "benchmarks/window/process_cpu.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <ctime>

namespace quillmoor::bench {
namespace {

TEST(StatCpuTicks, AddsUserAndSystemTimeAfterTheCommandName) {
  // Fields 14 and 15 (utime 1234, stime 56), after a name that holds spaces and parentheses.
  const char* stat =
      "4242 (Xvfb (x) :99) S 1 4242 4242 0 -1 4194560 5000 0 12 0 1234 56 0 0 20 0 1 0 "
      "100 200000 3000 18446744073709551615 1 1 0 0 0 0 0 4096 0 0 0 0 17 1 0 0 0 0 0";
  EXPECT_EQ(StatCpuTicks(stat), 1290);
}

TEST(StatCpuTicks, RefusesTextWithoutTheTimeFields) {
  EXPECT_EQ(StatCpuTicks(""), std::nullopt);
  EXPECT_EQ(StatCpuTicks("4242 no parenthesis S 1 2 3"), std::nullopt);
  EXPECT_EQ(StatCpuTicks("4242 (short) S 1 2 3 4 5 6 7 8 9"), std::nullopt);
  EXPECT_EQ(StatCpuTicks("4242 (bad) S 1 4242 4242 0 -1 0 0 0 0 0 12x 56 0"), std::nullopt);
}

TEST(SchedstatRunNanoseconds, ReadsTheFirstField) {
  EXPECT_EQ(SchedstatRunNanoseconds("123456789012 3456 78\n"), 123456789012);
  EXPECT_EQ(SchedstatRunNanoseconds(""), std::nullopt);
  EXPECT_EQ(SchedstatRunNanoseconds("123456789012"), std::nullopt);
  EXPECT_EQ(SchedstatRunNanoseconds(" 12 34 5"), std::nullopt);
  EXPECT_EQ(SchedstatRunNanoseconds("12x 34 5"), std::nullopt);
  EXPECT_EQ(SchedstatRunNanoseconds("-12 34 5"), std::nullopt);
}

TEST(ProcessCpuSeconds, GrowsByTheCpuThisProcessSpends) {
  const auto before = ProcessCpuSeconds(getpid());
  ASSERT_TRUE(before.has_value());
  // Spun on this process's own CPU clock, so that a loaded machine cannot make it a no-op.
  const std::clock_t start = std::clock();
  const auto spinTicks = static_cast<std::clock_t>(CLOCKS_PER_SEC / 20);
  while (std::clock() - start < spinTicks) {
  }
  const auto after = ProcessCpuSeconds(getpid());
  ASSERT_TRUE(after.has_value());
  // 50 ms spent, even where only the /proc clock's 10 ms steps see it.
  EXPECT_GE(*after - *before, 0.03);
}

TEST(DisplayNumber, ReadsTheNumberAfterTheLastColon) {
  EXPECT_EQ(DisplayNumber(":99"), 99);
  EXPECT_EQ(DisplayNumber(":0.0"), 0);
  EXPECT_EQ(DisplayNumber("localhost:10.1"), 10);
  EXPECT_EQ(DisplayNumber("::1:7"), 7);
}

TEST(DisplayNumber, RefusesWhatNamesNoDisplay) {
  EXPECT_EQ(DisplayNumber(""), std::nullopt);
  EXPECT_EQ(DisplayNumber("wayland-0"), std::nullopt);
  EXPECT_EQ(DisplayNumber(":"), std::nullopt);
  EXPECT_EQ(DisplayNumber(":x"), std::nullopt);
  EXPECT_EQ(DisplayNumber(":9x"), std::nullopt);
}

}  // namespace
}  // namespace quillmoor::bench
