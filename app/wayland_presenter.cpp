// SPDX-License-Identifier: MIT
// Shows the picture on Wayland in buffers of its own, on a sub-surface laid over the view.
#include "app/wayland_presenter.h"

#include <wayland-client.h>

#include <QtGui/private/qhighdpiscaling_p.h>
#include <qpa/qplatformnativeinterface.h>
#include <qpa/qplatformwindow.h>

#include <QEvent>
#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QWidget>
#include <algorithm>
#include <cstring>
#include <limits>

#include "app/viewporter-client-protocol.h"

namespace quillmoor {

namespace {

// Two buffers alternate while the compositor shows one; a third covers a compositor that holds
// the last one shown until the next is on screen.
constexpr std::size_t MaxBuffers = 3;
// damage_buffer came with this version of the compositor interface.
constexpr std::uint32_t CompositorVersion = 4;

QPlatformNativeInterface* NativeInterface() {
  return qGuiApp != nullptr ? QGuiApplication::platformNativeInterface() : nullptr;
}

}  // namespace

struct WaylandPresenter::Globals {
  wl_compositor* compositor = nullptr;
  wl_subcompositor* subcompositor = nullptr;
  wl_shm* shm = nullptr;
  wp_viewporter* viewporter = nullptr;  // null where the compositor cannot scale a surface

  ~Globals() {
    if (viewporter != nullptr) {
      wp_viewporter_destroy(viewporter);
    }
    if (shm != nullptr) {
      wl_shm_destroy(shm);
    }
    if (subcompositor != nullptr) {
      wl_subcompositor_destroy(subcompositor);
    }
    if (compositor != nullptr) {
      wl_compositor_destroy(compositor);
    }
  }

  static void Announced(void* data, wl_registry* registry, std::uint32_t name,
                        const char* interface, std::uint32_t version) {
    auto* globals = static_cast<Globals*>(data);
    const auto bind = [&](const wl_interface* wanted, std::uint32_t wantedVersion) {
      return wl_registry_bind(registry, name, wanted, std::min(version, wantedVersion));
    };
    if (std::strcmp(interface, wl_compositor_interface.name) == 0 && version >= CompositorVersion) {
      globals->compositor =
          static_cast<wl_compositor*>(bind(&wl_compositor_interface, CompositorVersion));
    } else if (std::strcmp(interface, wl_subcompositor_interface.name) == 0) {
      globals->subcompositor = static_cast<wl_subcompositor*>(bind(&wl_subcompositor_interface, 1));
    } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
      globals->shm = static_cast<wl_shm*>(bind(&wl_shm_interface, 1));
    } else if (std::strcmp(interface, wp_viewporter_interface.name) == 0) {
      globals->viewporter = static_cast<wp_viewporter*>(bind(&wp_viewporter_interface, 1));
    }
  }
  static void Removed(void* /*data*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}

  // Binds the globals on a queue of its own, so that the round trip dispatches none of Qt's
  // events, then hands them to the default queue, which Qt dispatches on this thread.
  static std::unique_ptr<Globals> Bind(wl_display* display) {
    auto globals = std::make_unique<Globals>();
    wl_event_queue* queue = wl_display_create_queue(display);
    auto* wrapped = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapped), queue);
    wl_registry* registry = wl_display_get_registry(wrapped);
    wl_proxy_wrapper_destroy(wrapped);
    static const wl_registry_listener listener{&Announced, &Removed};
    wl_registry_add_listener(registry, &listener, globals.get());
    wl_display_roundtrip_queue(display, queue);
    wl_registry_destroy(registry);
    for (void* proxy :
         {static_cast<void*>(globals->compositor), static_cast<void*>(globals->subcompositor),
          static_cast<void*>(globals->shm), static_cast<void*>(globals->viewporter)}) {
      if (proxy != nullptr) {
        wl_proxy_set_queue(static_cast<wl_proxy*>(proxy), nullptr);
      }
    }
    wl_event_queue_destroy(queue);
    return globals;
  }
};

std::unique_ptr<WaylandPresenter> WaylandPresenter::Create(QWidget& view) {
  QPlatformNativeInterface* native = NativeInterface();
  if (native == nullptr || !QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    return nullptr;
  }
  auto* display = static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
  if (display == nullptr) {
    return nullptr;
  }
  std::unique_ptr<Globals> globals = Globals::Bind(display);
  if (globals->compositor == nullptr || globals->subcompositor == nullptr ||
      globals->shm == nullptr) {
    return nullptr;
  }
  return std::unique_ptr<WaylandPresenter>(new WaylandPresenter(view, display, std::move(globals)));
}

WaylandPresenter::WaylandPresenter(QWidget& view, wl_display* display,
                                   std::unique_ptr<Globals> globals)
    : m_view(view), m_display(display), m_globals(std::move(globals)) {}

WaylandPresenter::~WaylandPresenter() {
  if (m_window != nullptr) {
    m_window->removeEventFilter(this);
  }
  DropSurface();
  m_globals.reset();
  wl_display_flush(m_display);
}

bool WaylandPresenter::EnsureSurface() {
  QWindow* window = m_view.window()->windowHandle();
  if (window != m_window) {
    if (m_window != nullptr) {
      m_window->removeEventFilter(this);
    }
    DropSurface();
    m_window = window;
    if (window != nullptr) {
      window->installEventFilter(this);
    }
  }
  QPlatformNativeInterface* native = NativeInterface();
  if (window == nullptr || window->handle() == nullptr || native == nullptr) {
    return false;
  }
  auto* parent = static_cast<wl_surface*>(native->nativeResourceForWindow("surface", window));
  if (parent == nullptr) {
    DropSurface();
    return false;
  }
  if (parent != m_parent) {
    DropSurface();
  }
  if (m_surface != nullptr) {
    return true;
  }
  m_surface = wl_compositor_create_surface(m_globals->compositor);
  // Pointer input passes through to Qt's window, which knows nothing of this surface.
  wl_region* nowhere = wl_compositor_create_region(m_globals->compositor);
  wl_surface_set_input_region(m_surface, nowhere);
  wl_region_destroy(nowhere);
  m_subsurface = wl_subcompositor_get_subsurface(m_globals->subcompositor, m_surface, parent);
  // Its commits show at once, without waiting for one of Qt's window.
  wl_subsurface_set_desync(m_subsurface);
  m_parent = parent;
  m_position = QPoint(std::numeric_limits<int>::min(), 0);
  m_surfaceSize = QSize();
  m_bufferScale = 1;
  return true;
}

void WaylandPresenter::DropSurface() {
  if (m_frameCallback != nullptr) {
    wl_callback_destroy(m_frameCallback);
    m_frameCallback = nullptr;
  }
  if (m_viewport != nullptr) {
    wp_viewport_destroy(m_viewport);
    m_viewport = nullptr;
  }
  if (m_subsurface != nullptr) {
    wl_subsurface_destroy(m_subsurface);
    m_subsurface = nullptr;
  }
  if (m_surface != nullptr) {
    wl_surface_destroy(m_surface);
    m_surface = nullptr;
  }
  m_buffers.clear();
  m_lastShown = nullptr;
  m_parent = nullptr;
  m_mapped = false;
  m_pictureSize = QSize();
  m_heldBack.Reset(0, 0);
}

bool WaylandPresenter::Place(const FrameBuffer& frame) {
  // Qt's window surface holds its decorations too, and its coordinates are Qt's device
  // independent ones times QT_SCALE_FACTOR.
  const qreal toSurface = QHighDpiScaling::factor(m_window.data());
  const QMargins margins = m_window->handle()->frameMargins();
  const QPoint offset = m_view.mapTo(m_view.window(), QPoint(0, 0));
  const QPoint position(margins.left() + qRound(offset.x() * toSurface),
                        margins.top() + qRound(offset.y() * toSurface));
  const QSize surfaceSize(qRound(m_view.width() * toSurface), qRound(m_view.height() * toSurface));
  if (surfaceSize.isEmpty()) {
    return false;
  }
  // A whole number of buffer pixels per surface unit goes through the buffer scale; anything
  // else needs the compositor to scale the surface.
  int scale = 0;
  if (frame.width % surfaceSize.width() == 0 &&
      frame.width / surfaceSize.width() * surfaceSize.height() == frame.height) {
    scale = frame.width / surfaceSize.width();
  }
  if (scale == 0 && m_globals->viewporter == nullptr) {
    return false;
  }
  if (position != m_position) {
    wl_subsurface_set_position(m_subsurface, position.x(), position.y());
    m_position = position;
    // A sub-surface's position takes effect with the next commit of Qt's window.
    m_view.update();
  }
  const int bufferScale = std::max(scale, 1);
  if (bufferScale != m_bufferScale) {
    wl_surface_set_buffer_scale(m_surface, bufferScale);
    m_bufferScale = bufferScale;
  }
  if (scale == 0 && m_viewport == nullptr) {
    m_viewport = wp_viewporter_get_viewport(m_globals->viewporter, m_surface);
    m_surfaceSize = QSize();
  } else if (scale != 0 && m_viewport != nullptr) {
    wp_viewport_destroy(m_viewport);
    m_viewport = nullptr;
  }
  if (surfaceSize != m_surfaceSize) {
    if (m_viewport != nullptr) {
      wp_viewport_set_destination(m_viewport, surfaceSize.width(), surfaceSize.height());
    }
    wl_region* whole = wl_compositor_create_region(m_globals->compositor);
    wl_region_add(whole, 0, 0, surfaceSize.width(), surfaceSize.height());
    wl_surface_set_opaque_region(m_surface, whole);
    wl_region_destroy(whole);
    m_surfaceSize = surfaceSize;
  }
  return true;
}

bool WaylandPresenter::Present(const FrameBuffer& buffer, DamageTiles& damage, qreal /*ratio*/) {
  if (!buffer || !m_view.isVisible() || !EnsureSurface() || !Place(buffer)) {
    Unmap();
    return false;
  }
  const QSize size(buffer.width, buffer.height);
  if (!m_mapped || size != m_pictureSize || m_frame != &buffer) {
    m_pictureSize = size;
    m_frame = &buffer;
    m_heldBack.Reset(buffer.width, buffer.height);
    m_heldBack.AddAll();
  } else if (damage.whole()) {
    m_heldBack.AddAll();
  } else {
    for (const CellRect& square : damage.Squares()) {
      m_heldBack.Add(square);
    }
  }
  if (!m_mapped) {
    return Commit();
  }
  // At most one commit per frame the compositor shows: the rest waits for its frame callback.
  if (m_frameCallback == nullptr) {
    Commit();
  }
  return true;
}

void WaylandPresenter::PictureReplaced() {
  m_frame = nullptr;
  m_heldBack.Reset(0, 0);
}

void WaylandPresenter::ShowHeldBack() {
  if (m_heldBack.empty() || m_frame == nullptr) {
    return;
  }
  if (m_frameCallback != nullptr) {
    wl_callback_destroy(m_frameCallback);
    m_frameCallback = nullptr;
  }
  // Every buffer still held: a round trip lets the compositor's releases arrive.
  if (!Commit() && !m_heldBack.empty()) {
    wl_display_roundtrip(m_display);
    Commit();
  }
}

WaylandShmBuffer* WaylandPresenter::FreeBuffer() {
  std::erase_if(m_buffers, [this](const std::unique_ptr<WaylandShmBuffer>& buffer) {
    const bool stale = !buffer->busy() && (buffer->width() != m_pictureSize.width() ||
                                           buffer->height() != m_pictureSize.height());
    if (stale && buffer.get() == m_lastShown) {
      m_lastShown = nullptr;
    }
    return stale;
  });
  for (const auto& buffer : m_buffers) {
    if (!buffer->busy()) {
      return buffer.get();
    }
  }
  if (m_buffers.size() >= MaxBuffers) {
    return nullptr;
  }
  std::unique_ptr<WaylandShmBuffer> made =
      WaylandShmBuffer::Create(m_globals->shm, m_pictureSize.width(), m_pictureSize.height(),
                               &WaylandPresenter::BufferReleased, this);
  if (made == nullptr) {
    return nullptr;
  }
  m_buffers.push_back(std::move(made));
  return m_buffers.back().get();
}

bool WaylandPresenter::Commit() {
  if (m_heldBack.empty() || m_frame == nullptr || m_surface == nullptr ||
      m_frame->width != m_pictureSize.width() || m_frame->height != m_pictureSize.height()) {
    return false;
  }
  WaylandShmBuffer* target = FreeBuffer();
  if (target == nullptr) {
    return false;
  }
  // Whole pictures are copied whole; otherwise each buffer copies just the squares it lacks.
  const bool whole = m_heldBack.whole();
  if (whole) {
    target->MissAll();
  }
  const std::vector<CellRect>& squares = m_heldBack.Squares();
  target->BringUpToDate(*m_frame, squares);
  for (const auto& other : m_buffers) {
    if (other.get() == target) {
      continue;
    }
    if (whole) {
      other->MissAll();
    } else {
      other->MissSquares(squares);
    }
  }
  // The compositor gets few rectangles that cover the squares.
  const std::vector<CellRect>& rects = m_heldBack.Rects();
  wl_surface_attach(m_surface, target->buffer(), 0, 0);
  for (const CellRect& rect : rects) {
    wl_surface_damage_buffer(m_surface, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top);
  }
  m_frameCallback = wl_surface_frame(m_surface);
  static const wl_callback_listener listener{&WaylandPresenter::FrameDone};
  wl_callback_add_listener(m_frameCallback, &listener, this);
  wl_surface_commit(m_surface);
  target->MarkBusy();
  wl_display_flush(m_display);
  m_heldBack.Reset(m_pictureSize.width(), m_pictureSize.height());
  m_mapped = true;
  m_lastShown = target;
  ++m_commits;
  return true;
}

void WaylandPresenter::Unmap() {
  m_heldBack.Reset(0, 0);
  if (!m_mapped) {
    return;
  }
  m_mapped = false;
  if (m_surface != nullptr) {
    wl_surface_attach(m_surface, nullptr, 0, 0);
    wl_surface_commit(m_surface);
    wl_display_flush(m_display);
  }
  // What Qt painted underneath may be old: it shows now.
  m_view.update();
}

void WaylandPresenter::FrameDone(void* data, wl_callback* callback, std::uint32_t /*time*/) {
  auto* self = static_cast<WaylandPresenter*>(data);
  wl_callback_destroy(callback);
  self->m_frameCallback = nullptr;
  ++self->m_framesShown;
  self->Commit();
}

void WaylandPresenter::BufferReleased(void* data) {
  auto* self = static_cast<WaylandPresenter*>(data);
  if (self->m_frameCallback == nullptr) {
    self->Commit();
  }
}

bool WaylandPresenter::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_window) {
    return false;
  }
  // Qt drops its window's surface when the window is hidden or its platform window goes: this
  // one goes with it and is made again over the next.
  if (event->type() == QEvent::Hide ||
      (event->type() == QEvent::PlatformSurface &&
       static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
           QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed)) {
    DropSurface();
  }
  return false;
}

}  // namespace quillmoor
