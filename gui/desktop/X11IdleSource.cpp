#include "gui/desktop/X11IdleSource.h"

#include <xcb/screensaver.h>
#include <xcb/xcb.h>
#include <cstdlib>
#include <memory>

namespace tw {

X11IdleSource::X11IdleSource(xcb_connection_t* connection, QObject* parent)
    : IdleSource(parent), connection_(connection) {
  if (connection_ == nullptr || xcb_connection_has_error(connection_) != 0) return;
  const xcb_query_extension_reply_t* extension =
      xcb_get_extension_data(connection_, &xcb_screensaver_id);
  if (extension == nullptr || extension->present == 0) return;
  const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
  if (screens.rem > 0) root_ = screens.data->root;
}

std::optional<std::int64_t> X11IdleSource::idleSeconds() {
  // A server that went away leaves the connection in error for good.
  if (root_ == 0 || xcb_connection_has_error(connection_) != 0) return std::nullopt;
  const std::unique_ptr<xcb_screensaver_query_info_reply_t, decltype(&std::free)> info(
      xcb_screensaver_query_info_reply(connection_, xcb_screensaver_query_info(connection_, root_),
                                       nullptr),
      &std::free);
  if (!info) return std::nullopt;
  return static_cast<std::int64_t>(info->ms_since_user_input / 1000);
}

}  // namespace tw
