#pragma once

#include <QPointer>
#include <memory>
#include <optional>
#include <string>

#include "gui/main/MainWindow.h"
#include "store/JournalStore.h"
#include "sync/ConflictCopies.h"
#include "sync/SyncQueue.h"
#include "sync/SystemResolver.h"
#include "tracking/JournalEditor.h"
#include "tracking/TrackingSession.h"

namespace tw {

class BackgroundSync;
class DesktopIntegration;
class PreferencesDialog;
class SyncProblemsButton;
class Clock;
class MessageBoxes;
class StoreOpener;

// The window part of the program: the user's store, the tracking session on it and the main
// window, loaded and ready to show.
class MainWindowLauncher {
 public:
  // Creates the Qt application, shows the main window on the store at storePath and runs the
  // event loop until the window closes or the process is told to end (SIGTERM, SIGHUP); the
  // entry being timed is saved then, and at logout. Returns the process exit code.
  static int run(int& argc, char** argv, const StoreOpener& stores, const std::string& storePath);

  // Opens the store for reading and writing and loads the window on it; when the store cannot
  // be opened the window opens empty and says why.
  MainWindowLauncher(WindowServices& services, const StoreOpener& stores,
                     const std::string& storePath);
  ~MainWindowLauncher();

  MainWindow& window() { return window_; }
  // Synchronises the store with the configured calendar server in the background, and shows
  // what happened in the window; nothing when no server is configured.
  void startCalendarSync(const StoreOpener& stores, const std::string& storePath);
  // The Preferences, made at the first call and brought to the front: the tray's Preferences…
  // and the main window's menu open them. Their changes apply to desktop at once; a saved
  // account restarts the calendar synchronisation.
  void openPreferences(DesktopIntegration& desktop, const StoreOpener& stores,
                       const std::string& storePath);
  // Null when the store could not be opened.
  TrackingSession* session() { return session_ ? &*session_ : nullptr; }
  JournalStore* store() { return store_.get(); }

 private:
  // The conflict copies of the store's calendar synchronisation, offered in the journal, and
  // its refused changes, offered from the status bar.
  void offerConflictCopies(const StoreOpener& stores, WindowServices& services);

  MessageBoxes& messages_;
  std::unique_ptr<JournalStore> store_;
  std::optional<TrackingSession> session_;
  std::optional<JournalEditor> editor_;
  std::optional<ConflictCopies> conflicts_;
  std::optional<SyncQueue> queue_;
  SyncProblemsButton* problems_ = nullptr;
  MainWindow window_;
  std::unique_ptr<BackgroundSync> sync_;
  SystemResolver dns_;
  QPointer<PreferencesDialog> preferences_;
};

}  // namespace tw
