// SPDX-License-Identifier: MIT
// CPU time of a process from /proc, and the X server process that serves $DISPLAY.
#include "benchmarks/window/process_cpu.h"

#include <unistd.h>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace quillmoor::bench {

namespace {

// Counted from the state field, the first after the command name's closing parenthesis.
constexpr int UtimeField = 11;
constexpr int StimeField = 12;

constexpr std::string_view ServerProgram = "Xvfb";

std::optional<std::string> ReadWhole(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return std::nullopt;
  }
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> CommandLineArguments(const std::string& cmdline) {
  std::vector<std::string> arguments;
  std::string::size_type start = 0;
  while (start < cmdline.size()) {
    const auto end = cmdline.find('\0', start);
    const auto stop = end == std::string::npos ? cmdline.size() : end;
    arguments.emplace_back(cmdline, start, stop - start);
    start = stop + 1;
  }
  return arguments;
}

bool ServesDisplay(const std::vector<std::string>& arguments, int display) {
  if (arguments.empty() || std::filesystem::path(arguments.front()).filename() != ServerProgram) {
    return false;
  }
  const std::string wanted = ":" + std::to_string(display);
  for (const std::string& argument : arguments) {
    if (argument == wanted) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::optional<long long> StatCpuTicks(std::string_view stat) {
  // The command name may hold spaces and parentheses; the fields start after its last ')'.
  const auto nameEnd = stat.rfind(')');
  if (nameEnd == std::string_view::npos) {
    return std::nullopt;
  }
  std::istringstream fields{std::string(stat.substr(nameEnd + 1))};
  std::string field;
  long long utime = -1;
  long long stime = -1;
  for (int index = 0; index <= StimeField && fields >> field; ++index) {
    if (index == UtimeField || index == StimeField) {
      long long value = 0;
      const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
      if (error != std::errc() || end != field.data() + field.size()) {
        return std::nullopt;
      }
      (index == UtimeField ? utime : stime) = value;
    }
  }
  if (utime < 0 || stime < 0) {
    return std::nullopt;
  }
  return utime + stime;
}

std::optional<long long> SchedstatRunNanoseconds(std::string_view schedstat) {
  const auto end = schedstat.find(' ');
  if (end == std::string_view::npos || end == 0) {
    return std::nullopt;
  }
  long long nanoseconds = 0;
  const auto [last, error] = std::from_chars(schedstat.data(), schedstat.data() + end, nanoseconds);
  if (error != std::errc() || last != schedstat.data() + end || nanoseconds < 0) {
    return std::nullopt;
  }
  return nanoseconds;
}

namespace {

// The scheduler's own count, in nanoseconds, summed over the threads: an idle loop spends a
// few clock ticks a second, too few for the 10 ms steps of /proc/<pid>/stat.
std::optional<double> ScheduledCpuSeconds(const std::filesystem::path& process) {
  std::error_code error;
  long long nanoseconds = 0;
  bool any = false;
  for (const auto& task : std::filesystem::directory_iterator(process / "task", error)) {
    const auto schedstat = ReadWhole(task.path() / "schedstat");
    const auto run = schedstat ? SchedstatRunNanoseconds(*schedstat) : std::nullopt;
    if (!run) {
      // A thread that ended meanwhile is gone from the process's total too.
      continue;
    }
    nanoseconds += *run;
    any = true;
  }
  if (error || !any) {
    return std::nullopt;
  }
  return static_cast<double>(nanoseconds) * 1e-9;
}

}  // namespace

std::optional<double> ProcessCpuSeconds(pid_t pid) {
  const std::filesystem::path process = std::filesystem::path("/proc") / std::to_string(pid);
  if (const auto scheduled = ScheduledCpuSeconds(process)) {
    return scheduled;
  }
  const auto stat = ReadWhole(process / "stat");
  if (!stat) {
    return std::nullopt;
  }
  const auto ticks = StatCpuTicks(*stat);
  if (!ticks) {
    return std::nullopt;
  }
  return static_cast<double>(*ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

std::optional<int> DisplayNumber(std::string_view display) {
  const auto colon = display.rfind(':');
  if (colon == std::string_view::npos) {
    return std::nullopt;
  }
  const char* first = display.data() + colon + 1;
  const char* last = display.data() + display.size();
  int number = 0;
  const auto [end, error] = std::from_chars(first, last, number);
  if (error != std::errc() || end == first || (end != last && *end != '.') || number < 0) {
    return std::nullopt;
  }
  return number;
}

std::optional<pid_t> FindDisplayServer() {
  // A Wayland compositor is named by whoever started it.
  if (const char* compositor = std::getenv("QUILLMOOR_COMPOSITOR_PID")) {
    pid_t pid = 0;
    const std::string_view text(compositor);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
    if (error == std::errc() && end == text.data() + text.size() && pid > 0) {
      return pid;
    }
  }
  const char* display = std::getenv("DISPLAY");
  const auto number = display ? DisplayNumber(display) : std::nullopt;
  if (!number) {
    return std::nullopt;
  }
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string name = entry.path().filename();
    pid_t pid = 0;
    const auto [end, parseError] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (parseError != std::errc() || end != name.data() + name.size()) {
      continue;
    }
    const auto cmdline = ReadWhole(entry.path() / "cmdline");
    if (cmdline && ServesDisplay(CommandLineArguments(*cmdline), *number)) {
      return pid;
    }
  }
  return std::nullopt;
}

}  // namespace quillmoor::bench
