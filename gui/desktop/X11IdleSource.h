#pragma once

#include <QString>
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

  // How much the X server's count is worth on the Qt platform platformName in a desktop session
  // of type sessionType (XDG_SESSION_TYPE): in an X11 session it sees all input and counts
  // beside the services (a logind session of a bare window manager often says "not idle"
  // forever); elsewhere on xcb (XWayland, or no session named) it only fills in when no service
  // answers; other platforms have no X server to ask.
  enum class Role { None, Source, Fallback };
  static Role role(const QString& platformName, const QString& sessionType);

 private:
  xcb_connection_t* connection_;
  std::uint32_t root_ = 0;
};

}  // namespace tw
