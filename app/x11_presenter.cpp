// SPDX-License-Identifier: MIT
// Sends the squares a tick changed straight to the X server from the frame buffer's shared memory:
// a clip of exactly those squares and one put.
#include "app/x11_presenter.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <QtGui/qguiapplication_platform.h>
#include <QBackingStore>
#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace quillmoor {

namespace {

// X addresses pixels in 16 bits.
constexpr int MaxCoordinate = std::numeric_limits<std::int16_t>::max();
// More squares than this make a clip request larger than an X server must take.
constexpr std::size_t MaxSquares = 16384;
constexpr int BackBufferDepth = 32;
constexpr int BitsPerPixel = 32;

// Whether the server lays out pixels of this depth in four bytes, as the frame buffer holds them.
bool HoldsPixelsOfFourBytes(xcb_connection_t* xcb, std::uint8_t depth) {
  const xcb_setup_t* setup = xcb_get_setup(xcb);
  for (auto format = xcb_setup_pixmap_formats_iterator(setup); format.rem > 0;
       xcb_format_next(&format)) {
    if (format.data->depth == depth) {
      return format.data->bits_per_pixel == BitsPerPixel && (depth == 24 || depth == 32);
    }
  }
  return false;
}

}  // namespace

struct X11Presenter::Connection {
  xcb_connection_t* xcb = nullptr;
  // Kept between ticks, so that a tick allocates nothing here.
  std::vector<xcb_rectangle_t> rectangles;
  std::vector<xcb_rectangle_t> ordered;
  std::vector<int> starts;
};

namespace {

// A stable counting sort of from into to by a key below limit.
template <typename Key>
void CountingSort(const std::vector<xcb_rectangle_t>& from, std::vector<xcb_rectangle_t>& to,
                  std::vector<int>& starts, int limit, Key key) {
  starts.assign(static_cast<std::size_t>(limit) + 1, 0);
  for (const xcb_rectangle_t& square : from) {
    ++starts[key(square) + 1];
  }
  for (std::size_t at = 1; at < starts.size(); ++at) {
    starts[at] += starts[at - 1];
  }
  to.resize(from.size());
  for (const xcb_rectangle_t& square : from) {
    to[static_cast<std::size_t>(starts[key(square)]++)] = square;
  }
}

// Puts the squares in the order X takes without sorting them itself (top to bottom, then left
// to right: two counting passes, by column and then by row), joining squares that touch side by
// side. Squares with the same top lie on the same row of cells, so they also share their bottom:
// the result is banded as X defines it.
void OrderInBands(std::vector<xcb_rectangle_t>& squares, std::vector<xcb_rectangle_t>& ordered,
                  std::vector<int>& starts, int columns, int rows) {
  CountingSort(squares, ordered, starts, columns,
               [](const xcb_rectangle_t& square) { return static_cast<std::size_t>(square.x); });
  CountingSort(ordered, squares, starts, rows,
               [](const xcb_rectangle_t& square) { return static_cast<std::size_t>(square.y); });
  std::size_t kept = 0;
  for (std::size_t at = 0; at < squares.size(); ++at) {
    const xcb_rectangle_t square = squares[at];
    xcb_rectangle_t* last = kept > 0 ? &squares[kept - 1] : nullptr;
    if (last != nullptr && last->y == square.y && last->x + last->width == square.x) {
      last->width = static_cast<std::uint16_t>(last->width + square.width);
    } else {
      squares[kept++] = square;
    }
  }
  squares.resize(kept);
}

}  // namespace

std::unique_ptr<X11Presenter> X11Presenter::Create(QWidget& view) {
  auto* x11 =
      qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || x11->connection() == nullptr) {
    return nullptr;
  }
  xcb_connection_t* xcb = x11->connection();
  const xcb_query_extension_reply_t* shm = xcb_get_extension_data(xcb, &xcb_shm_id);
  if (shm == nullptr || shm->present == 0) {
    return nullptr;
  }
  auto connection = std::make_unique<Connection>();
  connection->xcb = xcb;
  return std::unique_ptr<X11Presenter>(new X11Presenter(view, std::move(connection)));
}

X11Presenter::X11Presenter(QWidget& view, std::unique_ptr<Connection> connection)
    : view_(view), connection_(std::move(connection)) {}

X11Presenter::~X11Presenter() {
  if (graphicsContext_ != 0) {
    xcb_free_gc(connection_->xcb, graphicsContext_);
    xcb_flush(connection_->xcb);
  }
}

Pixel* X11Presenter::Allocate(std::size_t count) {
  // A server on another machine has the extension but cannot map our memory: once refused, do
  // not ask again on every resize.
  if (shared_ != nullptr || sharingRefused_ || count > SIZE_MAX / sizeof(Pixel)) {
    return nullptr;
  }
  const int id = shmget(IPC_PRIVATE, count * sizeof(Pixel), IPC_CREAT | 0600);
  if (id == -1) {
    return nullptr;
  }
  void* address = shmat(id, nullptr, 0);
  // Marked for removal at once: it goes when both this process and the server let go of it.
  shmctl(id, IPC_RMID, nullptr);
  if (address == reinterpret_cast<void*>(-1)) {
    return nullptr;
  }
  const std::uint32_t segment = xcb_generate_id(connection_->xcb);
  xcb_generic_error_t* error =
      xcb_request_check(connection_->xcb, xcb_shm_attach_checked(connection_->xcb, segment, id, 0));
  if (error != nullptr) {
    std::free(error);
    shmdt(address);
    sharingRefused_ = true;
    return nullptr;
  }
  shared_ = static_cast<Pixel*>(address);
  segment_ = segment;
  return shared_;
}

// The server handles requests in order: a put still queued reads the segment before the detach
// lets it go, so nothing need be waited for.
void X11Presenter::Release(Pixel* pixels) {
  if (pixels == nullptr || pixels != shared_) {
    return;
  }
  xcb_shm_detach(connection_->xcb, segment_);
  xcb_flush(connection_->xcb);
  shmdt(shared_);
  shared_ = nullptr;
  segment_ = 0;
  // A new buffer is drawn whole and painted through Qt, which leaves the back buffer current.
  staleWidth_ = 0;
  staleHeight_ = 0;
}

QImage* X11Presenter::BackBuffer() const {
  QBackingStore* store = view_.window()->backingStore();
  auto* image = store != nullptr ? dynamic_cast<QImage*>(store->paintDevice()) : nullptr;
  return image != nullptr && image->depth() == BackBufferDepth ? image : nullptr;
}

void X11Presenter::BringBackBufferUpToDate() {
  QImage* back = BackBuffer();
  if (shared_ == nullptr || staleWidth_ == 0 || back == nullptr) {
    return;
  }
  const QPoint origin = view_.mapTo(view_.window(), QPoint(0, 0)) * view_.devicePixelRatioF();
  const int width = std::min(staleWidth_, back->width() - origin.x());
  const int height = std::min(staleHeight_, back->height() - origin.y());
  if (origin.x() < 0 || origin.y() < 0 || width < 1 || height < 1) {
    return;
  }
  for (int y = 0; y < height; ++y) {
    std::memcpy(
        back->scanLine(origin.y() + y) + static_cast<std::size_t>(origin.x()) * sizeof(Pixel),
        shared_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(staleWidth_),
        static_cast<std::size_t>(width) * sizeof(Pixel));
  }
  staleWidth_ = 0;
  staleHeight_ = 0;
}

bool X11Presenter::eventFilter(QObject* watched, QEvent* event) {
  if (watched == watchedWindow_ && event->type() == QEvent::Expose) {
    BringBackBufferUpToDate();
  }
  return false;
}

bool X11Presenter::EnsureGraphicsContext(std::uint32_t window) {
  if (window == window_ && graphicsContext_ != 0) {
    return true;
  }
  xcb_connection_t* xcb = connection_->xcb;
  xcb_get_geometry_reply_t* geometry =
      xcb_get_geometry_reply(xcb, xcb_get_geometry(xcb, window), nullptr);
  if (geometry == nullptr) {
    return false;
  }
  depth_ = geometry->depth;
  std::free(geometry);
  if (!HoldsPixelsOfFourBytes(xcb, depth_)) {
    return false;
  }
  if (graphicsContext_ != 0) {
    xcb_free_gc(xcb, graphicsContext_);
  }
  graphicsContext_ = xcb_generate_id(xcb);
  const std::uint32_t noExposures = 0;
  xcb_create_gc(xcb, graphicsContext_, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
  window_ = window;
  return true;
}

bool X11Presenter::Present(const FrameBuffer& buffer, DamageTiles& damage, qreal ratio) {
  return !damage.whole() && PresentSquares(buffer, damage.Squares(), ratio);
}

bool X11Presenter::PresentSquares(const FrameBuffer& buffer, const std::vector<CellRect>& squares,
                                  qreal ratio) {
  if (!buffer || buffer.pixels.get() != shared_ || squares.empty() || squares.size() > MaxSquares) {
    return false;
  }
  QWidget* top = view_.window();
  const QPoint origin = view_.mapTo(top, QPoint(0, 0)) * ratio;
  if (origin.x() < 0 || origin.y() < 0 || origin.x() + buffer.width > MaxCoordinate ||
      origin.y() + buffer.height > MaxCoordinate) {
    return false;
  }
  if (!EnsureGraphicsContext(static_cast<std::uint32_t>(top->winId()))) {
    return false;
  }
  if (QWindow* window = top->windowHandle(); window != watchedWindow_) {
    if (watchedWindow_ != nullptr) {
      watchedWindow_->removeEventFilter(this);
    }
    watchedWindow_ = window;
    if (window != nullptr) {
      window->installEventFilter(this);
    }
  }
  // No wait for the last put: the server reads only that put's squares, and whatever this tick
  // writes over them is newer and is put again below, so at worst a square shows its new colour
  // one put early. A round trip a tick would cost more than the whole tick.

  std::vector<xcb_rectangle_t>& rectangles = connection_->rectangles;
  rectangles.clear();
  CellRect bounds = squares.front();
  for (const CellRect& square : squares) {
    rectangles.push_back({static_cast<std::int16_t>(origin.x() + square.left),
                          static_cast<std::int16_t>(origin.y() + square.top),
                          static_cast<std::uint16_t>(square.right - square.left),
                          static_cast<std::uint16_t>(square.bottom - square.top)});
    bounds = Union(bounds, square);
  }

  OrderInBands(rectangles, connection_->ordered, connection_->starts, origin.x() + buffer.width,
               origin.y() + buffer.height);
  xcb_connection_t* xcb = connection_->xcb;
  xcb_set_clip_rectangles(xcb, XCB_CLIP_ORDERING_YX_BANDED, graphicsContext_, 0, 0,
                          static_cast<std::uint32_t>(rectangles.size()), rectangles.data());
  xcb_shm_put_image(xcb, window_, graphicsContext_, static_cast<std::uint16_t>(buffer.width),
                    static_cast<std::uint16_t>(buffer.height),
                    static_cast<std::int16_t>(bounds.left), static_cast<std::int16_t>(bounds.top),
                    static_cast<std::uint16_t>(bounds.right - bounds.left),
                    static_cast<std::uint16_t>(bounds.bottom - bounds.top),
                    static_cast<std::int16_t>(origin.x() + bounds.left),
                    static_cast<std::int16_t>(origin.y() + bounds.top), depth_,
                    XCB_IMAGE_FORMAT_Z_PIXMAP, 0, segment_, 0);
  xcb_flush(xcb);
  staleWidth_ = buffer.width;
  staleHeight_ = buffer.height;
  return true;
}

}  // namespace quillmoor
