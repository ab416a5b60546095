#pragma once

class QWidget;

namespace tw {

class JournalStore;
class TrackingSession;
struct WindowServices;

// Offered when the window starts: a timer whose process is gone is resumed or stopped (at its
// last save, or at a time the user chooses), and a day left open without "Stop Work" is
// closed; the user may also leave either for later. Failures are shown.
class RecoveryPrompt {
 public:
  RecoveryPrompt(TrackingSession& session, JournalStore& store, WindowServices& services);

  void offer(QWidget* parent);

 private:
  void offerTimer(QWidget* parent);
  void offerOpenDay(QWidget* parent);

  TrackingSession& session_;
  JournalStore& store_;
  WindowServices& services_;
};

}  // namespace tw
