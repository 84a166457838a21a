// SPDX-License-Identifier: MIT
// One shared-memory buffer of the picture for the Wayland compositor.
#include "app/wayland_shm_buffer.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace quillmoor {

namespace {

// Past this many missed squares (a few ticks' worth at the fastest period) a whole copy is
// cheaper than keeping count.
constexpr std::size_t MaxMissedSquares = std::size_t{1} << 16;

}  // namespace

std::unique_ptr<WaylandShmBuffer> WaylandShmBuffer::Create(wl_shm* shm, int width, int height,
                                                           void (*onRelease)(void* data),
                                                           void* data) {
  if (width < 1 || height < 1 || static_cast<std::int64_t>(width) * height > MaxFramePixels ||
      static_cast<std::int64_t>(width) * sizeof(Pixel) > std::numeric_limits<std::int32_t>::max()) {
    return nullptr;
  }
  const std::size_t bytes =
      static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * sizeof(Pixel);
  if (bytes > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    return nullptr;
  }
  const int fd = memfd_create("quillmoor-picture", MFD_CLOEXEC);
  if (fd < 0) {
    return nullptr;
  }
  void* pixels = MAP_FAILED;
  if (ftruncate(fd, static_cast<off_t>(bytes)) == 0) {
    pixels = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  }
  if (pixels == MAP_FAILED) {
    close(fd);
    return nullptr;
  }
  wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<std::int32_t>(bytes));
  // The pixels are written opaque, so the compositor may ignore the top byte.
  wl_buffer* buffer = wl_shm_pool_create_buffer(
      pool, 0, width, height, width * static_cast<int>(sizeof(Pixel)), WL_SHM_FORMAT_XRGB8888);
  // The buffer keeps the pool's memory; the pool and the descriptor are no longer needed.
  wl_shm_pool_destroy(pool);
  close(fd);
  std::unique_ptr<WaylandShmBuffer> made(
      new WaylandShmBuffer(buffer, static_cast<Pixel*>(pixels), bytes, width, height));
  made->m_onRelease = onRelease;
  made->m_onReleaseData = data;
  static const wl_buffer_listener listener{&WaylandShmBuffer::Released};
  wl_buffer_add_listener(buffer, &listener, made.get());
  return made;
}

WaylandShmBuffer::WaylandShmBuffer(wl_buffer* buffer, Pixel* pixels, std::size_t bytes, int width,
                                   int height)
    : m_buffer(buffer), m_pixels(pixels), m_bytes(bytes), m_width(width), m_height(height) {}

WaylandShmBuffer::~WaylandShmBuffer() {
  wl_buffer_destroy(m_buffer);
  munmap(m_pixels, m_bytes);
}

void WaylandShmBuffer::Released(void* data, wl_buffer* /*buffer*/) {
  auto* self = static_cast<WaylandShmBuffer*>(data);
  self->m_busy = false;
  if (self->m_onRelease != nullptr) {
    self->m_onRelease(self->m_onReleaseData);
  }
}

void WaylandShmBuffer::MissSquares(const std::vector<CellRect>& squares) {
  if (m_missedAll) {
    return;
  }
  if (m_missed.size() + squares.size() > MaxMissedSquares) {
    MissAll();
    return;
  }
  m_missed.insert(m_missed.end(), squares.begin(), squares.end());
}

void WaylandShmBuffer::MissAll() {
  m_missedAll = true;
  m_missed.clear();
}

void WaylandShmBuffer::BringUpToDate(const FrameBuffer& frame,
                                     const std::vector<CellRect>& squares) {
  if (m_missedAll) {
    std::memcpy(m_pixels, frame.pixels.get(), m_bytes);
  } else {
    for (const CellRect& square : m_missed) {
      CopySquare(frame, square);
    }
    for (const CellRect& square : squares) {
      CopySquare(frame, square);
    }
  }
  m_missedAll = false;
  m_missed.clear();
}

// The squares themselves, not the rectangles that cover them for the compositor: those are
// chosen for few requests and can hold many times the pixels.
void WaylandShmBuffer::CopySquare(const FrameBuffer& frame, const CellRect& square) {
  const auto width = static_cast<std::size_t>(m_width);
  const auto length = static_cast<std::size_t>(square.right - square.left) * sizeof(Pixel);
  for (int y = square.top; y < square.bottom; ++y) {
    const std::size_t at =
        static_cast<std::size_t>(y) * width + static_cast<std::size_t>(square.left);
    std::memcpy(m_pixels + at, frame.pixels.get() + at, length);
  }
}

}  // namespace quillmoor
