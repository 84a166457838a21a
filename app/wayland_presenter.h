// SPDX-License-Identifier: MIT
// Shows the picture on Wayland in buffers of its own, on a surface laid over the view: a tick's
// changed squares are copied into a buffer the compositor has let go of and committed with
// exactly that damage, at most once per frame the compositor shows. Qt's backing store would
// instead copy and commit its whole window on every repaint.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QWindow>
#include <memory>
#include <vector>

#include "app/presenter.h"
#include "app/wayland_shm_buffer.h"

struct wl_callback;
struct wl_display;
struct wl_subsurface;
struct wl_surface;
struct wp_viewport;

namespace quillmoor {

class WaylandPresenter final : public QObject, public Presenter {
 public:
  // A presenter for the view's window; null off Wayland or where the compositor lacks what it
  // needs (sub-surfaces, shared memory).
  static std::unique_ptr<WaylandPresenter> Create(QWidget& view);
  ~WaylandPresenter() override;
  WaylandPresenter(const WaylandPresenter&) = delete;
  WaylandPresenter& operator=(const WaylandPresenter&) = delete;

  PixelMemory* pixelMemory() override { return nullptr; }
  // Takes the damage in; it is shown at once, or when the compositor asks for its next frame.
  // False (and Qt's painting is uncovered again) where the view's size and scale cannot be shown
  // one to one.
  bool Present(const FrameBuffer& buffer, DamageTiles& damage, qreal ratio) override;
  bool coversQtPainting() const override { return m_mapped; }
  void ShowHeldBack() override;
  void PictureReplaced() override;

  // What the compositor was given, for the tests: the buffer of the last commit (null before the
  // first), the commits and frame callbacks so far, and the buffers in use.
  const WaylandShmBuffer* lastShown() const { return m_lastShown; }
  int commits() const { return m_commits; }
  int framesShown() const { return m_framesShown; }
  std::size_t bufferCount() const { return m_buffers.size(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Globals;
  WaylandPresenter(QWidget& view, wl_display* display, std::unique_ptr<Globals> globals);

  // The sub-surface over the window's current surface; false while the window has none.
  bool EnsureSurface();
  // Drops the surface, its buffers and anything held back, as when Qt drops the window's own.
  void DropSurface();
  // Places the surface over the view and picks how the buffer maps to it; false when no way
  // shows it one to one.
  bool Place(const FrameBuffer& frame);
  // Shows the held-back damage if a buffer is free; the frame buffer must still be the size the
  // damage was taken in.
  bool Commit();
  // Takes the surface off the screen, so that Qt's painting shows.
  void Unmap();
  WaylandShmBuffer* FreeBuffer();

  static void FrameDone(void* data, wl_callback* callback, std::uint32_t time);
  static void BufferReleased(void* data);

  QWidget& m_view;
  wl_display* m_display;
  std::unique_ptr<Globals> m_globals;
  QPointer<QWindow> m_window;
  wl_surface* m_parent = nullptr;
  wl_surface* m_surface = nullptr;
  wl_subsurface* m_subsurface = nullptr;
  wp_viewport* m_viewport = nullptr;
  wl_callback* m_frameCallback = nullptr;
  std::vector<std::unique_ptr<WaylandShmBuffer>> m_buffers;
  const FrameBuffer* m_frame = nullptr;
  DamageTiles m_heldBack;  // shown to no buffer yet
  QSize m_pictureSize;
  QPoint m_position;
  QSize m_surfaceSize;
  int m_bufferScale = 1;
  bool m_mapped = false;
  const WaylandShmBuffer* m_lastShown = nullptr;
  int m_commits = 0;
  int m_framesShown = 0;
};

}  // namespace quillmoor
