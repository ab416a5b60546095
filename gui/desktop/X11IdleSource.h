#pragma once

#include <cstdint>

#include "gui/desktop/IdleSource.h"

struct xcb_connection_t;

namespace tw {

// The X server's own count of the time since the last input, through its screen saver
// extension (MIT-SCREEN-SAVER). It knows nothing of locking. Under XWayland the server sees
// only the input that goes to X windows, so the desktop's own services come first.
class X11IdleSource : public IdleSource {
  Q_OBJECT

 public:
  // Asks over connection, which stays the caller's and must outlive the source, about the
  // first screen. No connection, or a server without the extension, leaves the source silent.
  explicit X11IdleSource(xcb_connection_t* connection, QObject* parent = nullptr);
  std::optional<std::int64_t> idleSeconds() override;

 private:
  xcb_connection_t* connection_;
  std::uint32_t root_ = 0;
};

}  // namespace tw
