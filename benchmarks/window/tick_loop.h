// SPDX-License-Identifier: MIT
// A window driven by a periodic timer, as the benchmark starts, counts and stops it.
#pragma once

#include <cstdint>

#include <QSize>

namespace quillmoor::bench {

class TickLoop {
 public:
  virtual ~TickLoop() = default;
  // Shows the window with a client area of size and ticks every periodMs milliseconds.
  virtual void Start(QSize size, int periodMs) = 0;
  // Stops ticking and hides the window, so that it costs nothing while another loop runs.
  virtual void Stop() = 0;
  // Ticks so far; only differences are used.
  virtual std::int64_t Ticks() const = 0;
  // The client size actually shown, which the window system may have bounded.
  virtual QSize ShownSize() const = 0;
};

}  // namespace quillmoor::bench
