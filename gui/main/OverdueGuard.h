#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

namespace tw {

class JournalStore;
class TrackingSession;
struct WindowServices;

// The forgotten timer: when the entry being timed passes a length (OverdueHours in the
// settings, four hours unless set) or the clock passes midnight while timing, the user is
// asked once whether to keep it or to stop it at a time of their choosing.
class OverdueGuard {
 public:
  OverdueGuard(TrackingSession& session, JournalStore& store, WindowServices& services,
               std::int64_t limitSeconds);
  // The length set in the settings.
  static std::int64_t configuredLimit();

  // Asks when the timing is overdue; true when it was stopped. Does nothing while asking.
  // announce, when set, hears the question first (a notification while the window is hidden).
  bool check(QWidget* parent, const std::function<void(const QString&)>& announce = {});

 private:
  TrackingSession& session_;
  JournalStore& store_;
  WindowServices& services_;
  std::int64_t limitSeconds_;
  bool asking_ = false;
};

}  // namespace tw
