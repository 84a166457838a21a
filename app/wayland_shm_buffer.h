// SPDX-License-Identifier: MIT
// One shared-memory buffer of the picture for the Wayland compositor, and which parts of the
// frame buffer it has missed since it was last shown.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "render/frame_buffer.h"
#include "render/view_geometry.h"

struct wl_buffer;
struct wl_shm;

namespace quillmoor {

class WaylandShmBuffer {
 public:
  // A width x height buffer in memory shared with the compositor; null when that memory cannot be
  // had. onRelease runs when the compositor lets go of the buffer.
  static std::unique_ptr<WaylandShmBuffer> Create(wl_shm* shm, int width, int height,
                                                  void (*onRelease)(void* data), void* data);
  ~WaylandShmBuffer();
  WaylandShmBuffer(const WaylandShmBuffer&) = delete;
  WaylandShmBuffer& operator=(const WaylandShmBuffer&) = delete;

  wl_buffer* buffer() const { return m_buffer; }
  const Pixel* pixels() const { return m_pixels; }
  int width() const { return m_width; }
  int height() const { return m_height; }
  // Whether the compositor may still be reading it: from its attach until its release.
  bool busy() const { return m_busy; }
  void MarkBusy() { m_busy = true; }

  // What another buffer has shown meanwhile, which this one must copy before it is shown: the
  // squares, or all of it.
  void MissSquares(const std::vector<CellRect>& squares);
  void MissAll();
  // Copies squares of frame, and everything this buffer missed, so that it shows the frame
  // buffer as it is now. frame must have this buffer's size.
  void BringUpToDate(const FrameBuffer& frame, const std::vector<CellRect>& squares);

 private:
  WaylandShmBuffer(wl_buffer* buffer, Pixel* pixels, std::size_t bytes, int width, int height);
  static void Released(void* data, wl_buffer* buffer);
  void CopySquare(const FrameBuffer& frame, const CellRect& square);

  wl_buffer* m_buffer;
  Pixel* m_pixels;
  std::size_t m_bytes;
  int m_width;
  int m_height;
  bool m_busy = false;
  void (*m_onRelease)(void* data) = nullptr;
  void* m_onReleaseData = nullptr;
  // A new buffer holds nothing yet; one that missed too much is copied whole rather than piece by
  // piece.
  bool m_missedAll = true;
  std::vector<CellRect> m_missed;
};

}  // namespace quillmoor
