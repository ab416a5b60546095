#include "gui/main/MainWindowLauncher.h"

#include <QApplication>
#include <QIcon>
#include <QStatusBar>
#include <exception>
#include <iostream>

#include "core/SystemClock.h"
#include "gui/common/DefaultPrinter.h"
#include "gui/common/QtDialogRunner.h"
#include "gui/common/QtMessageBoxes.h"
#include "gui/common/QtSaveDialog.h"
#include "gui/common/ScreenFit.h"
#include "gui/common/WindowError.h"
#include "gui/desktop/DesktopIntegration.h"
#include "gui/main/SingleWindow.h"
#include "gui/main/TerminationSignals.h"
#include "gui/prefs/AccountPage.h"
#include "gui/prefs/GeneralPage.h"
#include "gui/prefs/PreferencesDialog.h"
#include "gui/sync/BackgroundSync.h"
#include "gui/sync/SyncProblemsButton.h"
#include "store/StoreOpener.h"
#include "tracking/EntryTypeRule.h"
#include "tracking/ProcessIdentity.h"

namespace tw {

MainWindowLauncher::MainWindowLauncher(WindowServices& services, const StoreOpener& stores,
                                       const std::string& storePath)
    : messages_(services.messages), window_(services, stores, storePath) {
  QString failure;
  try {
    store_ = stores.open(storePath, StoreOpener::Access::ReadWrite);
  } catch (const std::exception& e) {
    failure = WindowError::describe(e);
  }
  if (store_) {
    session_.emplace(*store_, services.clock, ProcessIdentity::self(), EntryTypeRule());
    editor_.emplace(*store_, EntryTypeRule());
    window_.load(*session_, *store_, *editor_);
    offerConflictCopies(stores, services);
  } else {
    window_.loadWithoutStore(failure);
  }
  QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, &window_,
                   &MainWindow::saveRunningEntry);
}

MainWindowLauncher::~MainWindowLauncher() = default;

void MainWindowLauncher::offerConflictCopies(const StoreOpener& stores, WindowServices& services) {
  try {
    conflicts_.emplace(*store_, stores.syncState(*store_));
    queue_.emplace(*store_, stores.syncState(*store_), services.clock);
  } catch (const std::exception& e) {
    window_.showSyncResult(
        QObject::tr("Conflict copies cannot be read: %1").arg(WindowError::describe(e)), false);
    return;
  }
  window_.setConflictCopies(&*conflicts_);
  problems_ = new SyncProblemsButton(*queue_, services.messages, services.dialogs, &window_);
  window_.statusBar()->addPermanentWidget(problems_);
  QObject::connect(problems_, &SyncProblemsButton::changed, &window_,
                   [this] { window_.showSyncResult(window_.statusBar()->toolTip(), true); });
}

void MainWindowLauncher::startCalendarSync(const StoreOpener& stores,
                                           const std::string& storePath) {
  if (!store_) return;
  QString problem;
  const std::optional<SyncConfig> config = BackgroundSync::configured(problem);
  if (!config) {
    if (!problem.isEmpty())
      window_.showSyncResult(QObject::tr("Not synchronised: %1").arg(problem), false);
    return;
  }
  sync_ = std::make_unique<BackgroundSync>(stores, storePath, *config, BackgroundSync::Timing{});
  QObject::connect(sync_.get(), &BackgroundSync::finished, &window_, [this](bool received) {
    window_.showSyncResult(sync_->status(), received);
    if (problems_) problems_->showProblems(sync_->problems());
    if (preferences_) preferences_->account().showSyncStatus(sync_->status());
  });
  sync_->runSoon();
}

void MainWindowLauncher::openPreferences(DesktopIntegration& desktop, const StoreOpener& stores,
                                         const std::string& storePath) {
  if (!preferences_) {
    preferences_ = new PreferencesDialog(dns_, messages_, &window_);
    preferences_->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(&preferences_->general(), &GeneralPage::changed, &desktop,
                     &DesktopIntegration::applySettings);
    QObject::connect(&preferences_->account(), &AccountPage::accountChanged, &window_,
                     [this, &stores, storePath] {
                       window_.reloadTasks();
                       sync_.reset();
                       startCalendarSync(stores, storePath);
                     });
    QObject::connect(&preferences_->account(), &AccountPage::syncRequested, &window_, [this] {
      if (!sync_)
        return preferences_->account().showSyncStatus(QObject::tr("No account is saved."));
      preferences_->account().showSyncStatus(QObject::tr("Synchronising…"));
      sync_->runSoon();
    });
  }
  preferences_->show();
  preferences_->raise();
  preferences_->activateWindow();
}

namespace {

void nameApplication() {
  QApplication::setApplicationName(QStringLiteral("Tallyworks"));
  QApplication::setDesktopFileName(QStringLiteral("org.tallyworks.Tallyworks"));
  QApplication::setApplicationVersion(QStringLiteral(TALLYWORKS_VERSION));
  QIcon icon;
  for (int size : {16, 32, 64})
    icon.addFile(QStringLiteral(":/tallyworks/tallyworks-%1.png").arg(size));
  QApplication::setWindowIcon(icon);
}

std::unique_ptr<TerminationSignals> listenForEndingSignals(MessageBoxes& messages) {
  try {
    return std::make_unique<TerminationSignals>();
  } catch (const std::exception& e) {
    messages.show(WindowError::describe(e), MessageBoxes::Icon::Warning);
    return nullptr;
  }
}

void joinDesktop(DesktopIntegration& desktop, MainWindow& window) {
  QObject::connect(&desktop, &DesktopIntegration::journalRequested, &window,
                   &MainWindow::openJournal);
  QObject::connect(&window, &MainWindow::summaryRequested, &desktop,
                   &DesktopIntegration::openSummary);
  QObject::connect(&window, &MainWindow::quitRequested, &desktop, &DesktopIntegration::quit);
  QObject::connect(&window, &MainWindow::overdueQuestioned, &desktop,
                   &DesktopIntegration::tellOverdue);
}

}  // namespace

int MainWindowLauncher::run(int& argc, char** argv, const StoreOpener& stores,
                            const std::string& storePath) {
  QApplication app(argc, argv);
  nameApplication();
  ScreenFit screenFit;
  app.installEventFilter(&screenFit);
  SingleWindow single(QString::fromStdString(storePath));
  if (!single.claim()) {
    std::cerr << "tallyworks: a window is already open on " << storePath
              << "; it was brought to the front\n";
    return 0;
  }

  QtMessageBoxes messages;
  QtDialogRunner dialogs;
  QtSaveDialog saveDialog(dialogs);
  DefaultPrinter printer;
  const SystemClock clock;
  WindowServices services{messages, saveDialog, printer, dialogs, clock};
  // Installed before the store is opened, so that a timer taken up is never left unsaved.
  const std::unique_ptr<TerminationSignals> terminations = listenForEndingSignals(messages);
  // A signal that comes while the window loads (the recovery prompt open) closes what is open
  // unanswered, as "Later" would, shows nothing more, and ends the program once loaded.
  bool ending = false;
  QMetaObject::Connection whileLoading;
  if (terminations) {
    whileLoading = QObject::connect(terminations.get(), &TerminationSignals::received, &app, [&] {
      ending = true;
      dialogs.endAll();
      messages.endAll();
    });
  }
  MainWindowLauncher launcher(services, stores, storePath);
  QObject::disconnect(whileLoading);
  MainWindow& window = launcher.window();
  if (ending) {
    window.saveRunningEntry();
    return 0;
  }
  launcher.startCalendarSync(stores, storePath);
  DesktopIntegration desktop(services, launcher.session(), launcher.store(), window);
  joinDesktop(desktop, window);
  QObject::connect(&desktop, &DesktopIntegration::preferencesRequested, &window,
                   [&] { launcher.openPreferences(desktop, stores, storePath); });
  QObject::connect(&window, &MainWindow::preferencesRequested, &window,
                   [&] { launcher.openPreferences(desktop, stores, storePath); });
  if (terminations) {
    // As at closing the window: the entry being timed is saved.
    QObject::connect(terminations.get(), &TerminationSignals::received, &window, [&] {
      desktop.release();
      window.close();
      QCoreApplication::quit();
    });
  }
  QObject::connect(&single, &SingleWindow::raiseRequested, &window, [&window] {
    window.showNormal();
    window.raise();
    window.activateWindow();
  });
  window.show();
  return app.exec();
}

}  // namespace tw
