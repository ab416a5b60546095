#pragma once

#include <QObject>
#include <cstdint>
#include <optional>

namespace tw {

// One way of learning from the desktop how long the user has been away and whether the
// screen is locked (logind, the screen saver, Mutter's idle monitor).
class IdleSource : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;
  // Seconds since the last input, or nothing when the source does not answer.
  virtual std::optional<std::int64_t> idleSeconds() = 0;

 signals:
  void lockChanged(bool locked);
};

}  // namespace tw
