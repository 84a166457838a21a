// SPDX-License-Identifier: MIT
// CPU time of a process from /proc, and the display server process the program is shown by.
#pragma once

#include <sys/types.h>
#include <optional>
#include <string_view>

namespace quillmoor::bench {

// CPU seconds of every thread of the process: the scheduler's nanosecond count where the kernel
// keeps one, else user plus system time from /proc/<pid>/stat; nothing when the process is gone.
std::optional<double> ProcessCpuSeconds(pid_t pid);

// The time on CPU in nanoseconds from the text of a /proc/<pid>/task/<tid>/schedstat file.
std::optional<long long> SchedstatRunNanoseconds(std::string_view schedstat);

// utime + stime in clock ticks from the text of a /proc/<pid>/stat file.
std::optional<long long> StatCpuTicks(std::string_view stat);

// The display number in a DISPLAY value such as ":99", ":99.0" or "localhost:10.0".
std::optional<int> DisplayNumber(std::string_view display);

// The compositor named by $QUILLMOOR_COMPOSITOR_PID, else the Xvfb process whose command line
// serves the display named by $DISPLAY.
std::optional<pid_t> FindDisplayServer();

}  // namespace quillmoor::bench
