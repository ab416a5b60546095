// The window part of the program on the store named by the first argument, for tests that
// run it as a process of its own. It says on standard output each dialog it shows
// ("shown: <title>"). With --click-for SECONDS it also acts as a busy user for that long:
// it chooses tasks and presses Start, Stop, Pause and Last at random, answers each message
// box as a user would (saying "message: <text>"), then closes the window and says
// "clicks: N".
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "gui/main/MainWindowLauncher.h"
#include "store/sqlite/SqliteStoreOpener.h"

namespace {

int gClickSeconds = 0;

void say(const QString& text) {
  std::printf("%s\n", text.toUtf8().constData());
  std::fflush(stdout);
}

class Announcer : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
      if (auto* dialog = qobject_cast<QDialog*>(watched)) say("shown: " + dialog->windowTitle());
    }
    return false;
  }
};

// A user in a hurry, pressing what the main window offers.
class Clicker : public QObject {
 public:
  explicit Clicker(QObject* parent) : QObject(parent), random_(std::random_device{}()) {
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &Clicker::act);
    timer->start(25);
    QTimer::singleShot(gClickSeconds * 1000, this, &Clicker::finish);
  }

 private:
  static QWidget* mainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->findChild<QPushButton*>(QStringLiteral("startButton"))) return w;
    return nullptr;
  }
  void act() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      say("message: " + box->text().simplified());
      box->done(QMessageBox::Ok);
      return;
    }
    if (QApplication::activeModalWidget() || finished_) return;
    QWidget* window = mainWindow();
    if (!window) return;
    const char* const buttons[] = {"startButton", "stopButton", "pauseButton", "lastButton"};
    const int choice = std::uniform_int_distribution<int>(0, 4)(random_);
    if (choice == 4) {
      auto* list = window->findChild<QComboBox*>(QStringLiteral("taskList"));
      const int tasks = list->count() - 2;  // without "<Refresh>" and "<Edit tasks…>"
      if (tasks <= 0) return;
      list->setCurrentIndex(std::uniform_int_distribution<int>(0, tasks - 1)(random_));
      emit list->activated(list->currentIndex());
    } else {
      auto* button = window->findChild<QPushButton*>(QString::fromLatin1(buttons[choice]));
      if (!button->isEnabled()) return;
      button->click();
    }
    ++clicks_;
  }
  void finish() {
    finished_ = true;
    say(QStringLiteral("clicks: %1").arg(clicks_));
    if (QWidget* window = mainWindow()) window->close();
    QCoreApplication::quit();
  }

  std::mt19937 random_;
  int clicks_ = 0;
  bool finished_ = false;
};

void startUp() {
  qApp->installEventFilter(new Announcer(qApp));
  if (gClickSeconds > 0) new Clicker(qApp);
}
Q_COREAPP_STARTUP_FUNCTION(startUp)

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  if (argc == 4 && std::strcmp(argv[2], "--click-for") == 0) gClickSeconds = std::atoi(argv[3]);
  const tw::SqliteStoreOpener stores;
  int windowArgc = 1;
  return tw::MainWindowLauncher::run(windowArgc, argv, stores, argv[1]);
}
