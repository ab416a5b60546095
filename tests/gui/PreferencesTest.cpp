// The Preferences, headless: the general settings round trip between the dialog, the settings
// file and the command line, values out of range shown and corrected; the calendar account
// found from an e-mail address (a resolver double in front of a real Radicale), saved with its
// password in a real keyring on a private bus and nowhere on disk.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <set>

#include "../sync/FakeResolver.h"
#include "../sync/RadicaleServer.h"
#include "WindowFixture.h"
#include "core/Settings.h"
#include "gui/desktop/DesktopSettings.h"
#include "gui/prefs/AccountPage.h"
#include "gui/prefs/GeneralPage.h"
#include "sync/Keyring.h"
#include "sync/SyncConfig.h"
#include "tests/support/PrivateKeyring.h"

namespace tw {
namespace {

test::PrivateKeyring* gKeyring = nullptr;

// The output of `tallyworks ARGS` with its exit status.
std::pair<int, std::string> command(const std::string& args) {
  FILE* pipe = popen((std::string(TW_TALLYWORKS) + " " + args + " 2>&1").c_str(), "r");
  std::string out;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
  const int status = pclose(pipe);
  return {WEXITSTATUS(status), out};
}

class PreferencesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder.file("config")));
    file = Settings::defaultPath();
  }
  template <typename T>
  static T* child(QWidget& w, const char* name) {
    T* found = w.findChild<T*>(QString::fromLatin1(name));
    if (!found) throw std::runtime_error(std::string("no child ") + name);
    return found;
  }

  test::TempFolder folder;
  test::FakeDesktop desktop;
  std::string file;
};

TEST_F(PreferencesTest, SettingsGoFromTheDialogToTheCommandLineAndBack) {
  std::filesystem::create_directories(folder.file("config/tallyworks"));
  test::writeBytes(file,
                   "; by hand\n[idle]\nminutes = 0\n[timer]\noverdue_hours = 1\n"
                   "[billing]\nround_minutes = 7\n");
  GeneralPage page(file, desktop);
  const QLabel* said = child<QLabel>(page, "corrections");
  EXPECT_FALSE(said->isHidden());
  EXPECT_TRUE(
      said->text().contains("minutes = 0 is not a whole number of minutes from 1 to 480; "
                            "10 is used"))
      << said->text().toStdString();
  EXPECT_TRUE(
      said->text().contains("round_minutes = 7 is not one of 0, 1, 5, 6, 10, 15, 30, 60 "
                            "minutes; 0 is used"));
  EXPECT_EQ(command("settings idle.minutes"), (std::pair{0, std::string("10\n")}));

  child<QSpinBox>(page, "idleMinutes")->setValue(25);
  child<QComboBox>(page, "taskType")->setCurrentIndex(1);
  child<QCheckBox>(page, "closeToTray")->setChecked(false);
  QComboBox* currency = child<QComboBox>(page, "currency");
  currency->setCurrentIndex(currency->findData("USD"));
  child<QComboBox>(page, "lines")->setCurrentIndex(2);
  child<QCheckBox>(page, "billable")->setChecked(false);
  EXPECT_EQ(command("settings idle.minutes"), (std::pair{0, std::string("25\n")}));
  EXPECT_EQ(DesktopSettings::idleLimitSeconds(), 25 * 60);
  EXPECT_FALSE(DesktopSettings::closeToTray());
  const Settings written = Settings::load(file);
  EXPECT_EQ(written.taskEntryType(), "PJ_Task");
  EXPECT_EQ(written.defaultCurrency(), "USD");
  EXPECT_EQ(written.billLines(), "entry");
  EXPECT_FALSE(written.newClientsBillable());

  EXPECT_EQ(command("settings timer.overdue_hours 2.5").first, 0);
  EXPECT_EQ(command("settings idle.on_return keep").first, 0);
  EXPECT_EQ(command("settings billing.round_per total").first, 0);
  GeneralPage again(file, desktop);
  EXPECT_TRUE(child<QLabel>(again, "corrections")->isHidden());
  EXPECT_EQ(child<QDoubleSpinBox>(again, "overdueHours")->value(), 2.5);
  EXPECT_EQ(child<QComboBox>(again, "onReturn")->currentData().toString(), "keep");
  EXPECT_EQ(child<QComboBox>(again, "roundPer")->currentData().toString(), "total");
  EXPECT_EQ(DesktopSettings::answerOnReturn(), IdleQuestion::Answer::Keep);
  EXPECT_EQ(DesktopSettings::overdueLimitSeconds(), 9000);
  EXPECT_TRUE(test::readBytes(file).starts_with("; by hand\n[idle]\nminutes = 25\n"));
  EXPECT_TRUE(desktop.messages.isEmpty());
}

class AccountPageTest : public PreferencesTest {
 protected:
  AccountPageTest() : server("alice:secret\n") {
    HttpClient http("alice", "secret", 1);
    DavClient dav(http, server.url("/"));
    dav.makeCalendar(server.url("/alice/work/"), "Work", "VTODO");
    dav.makeCalendar(server.url("/alice/home/"), "Home", "VTODO");
    dns.srv["_caldav._tcp.example.test"] = {
        {"127.0.0.1", std::stoi(server.url("").substr(17)), 0, 0}};
    dns.txt["_caldav._tcp.example.test"] = {"path=/"};
  }
  void SetUp() override {
    PreferencesTest::SetUp();
    if (!gKeyring) GTEST_SKIP() << "gnome-keyring is not installed";
  }
  // Presses the button and waits for the work it started off the window's thread.
  void pressAndWait(AccountPage& page, const char* button) {
    QLabel* status = child<QLabel>(page, "status");
    child<QPushButton>(page, button)->click();
    const QString underWay = status->text();
    for (int i = 0; i < 3000 && status->text() == underWay; ++i) QTest::qWait(10);
  }

  test::RadicaleServer server;
  test::FakeResolver dns;
};

TEST_F(AccountPageTest, TheAccountIsFoundSavedAndItsPasswordKeptInTheKeyringOnly) {
  AccountPage page(dns, desktop);
  child<QLineEdit>(page, "server")->setText("alice@example.test");
  child<QLineEdit>(page, "user")->setText("alice");
  child<QLineEdit>(page, "password")->setText("wrong");
  pressAndWait(page, "test");
  EXPECT_TRUE(child<QLabel>(page, "status")
                  ->text()
                  .startsWith("The calendar server " + QString::fromStdString(server.url("/")) +
                              " refused the user name or password (HTTP 401)"))
      << child<QLabel>(page, "status")->text().toStdString();
  EXPECT_FALSE(child<QPushButton>(page, "save")->isEnabled());

  child<QLineEdit>(page, "password")->setText("secret");
  pressAndWait(page, "test");
  EXPECT_TRUE(child<QLabel>(page, "status")
                  ->text()
                  .startsWith("Connected to " + QString::fromStdString(server.url("/")) +
                              ". Your calendars are at " +
                              QString::fromStdString(server.url("/alice/")) + ": "));
  EXPECT_EQ(child<QComboBox>(page, "timelog")->count(), 1);  // only a new one: no list takes events
  // Of the two task lists, the one new tasks go to is shown, and stays shown.
  QComboBox* tasks = child<QComboBox>(page, "tasks");
  QListWidget* lists = child<QListWidget>(page, "taskLists");
  ASSERT_EQ(tasks->count(), 3);
  ASSERT_EQ(lists->count(), 2);
  const auto shown = [lists] {
    std::set<std::string> urls;
    for (int i = 0; i < lists->count(); ++i)
      if (lists->item(i)->checkState() == Qt::Checked)
        urls.insert(lists->item(i)->data(Qt::UserRole).toString().toStdString());
    return urls;
  };
  EXPECT_EQ(shown(), std::set{tasks->currentData().toString().toStdString()});
  const std::string home = server.url("/alice/home/"), work = server.url("/alice/work/");
  tasks->setCurrentIndex(tasks->findText("Home"));
  for (int i = 0; i < lists->count(); ++i) lists->item(i)->setCheckState(Qt::Unchecked);
  EXPECT_EQ(shown(), std::set{home});
  lists->findItems("Work", Qt::MatchExactly).front()->setCheckState(Qt::Checked);
  QSignalSpy changed(&page, &AccountPage::accountChanged);
  pressAndWait(page, "save");
  ASSERT_EQ(changed.count(), 1) << child<QLabel>(page, "status")->text().toStdString();

  const std::optional<SyncConfig> saved = SyncConfig::load(SyncConfig::defaultPath());
  ASSERT_TRUE(saved);
  EXPECT_EQ(SyncConfig::defaultPath(), file);
  EXPECT_EQ(saved->url, server.url("/alice/"));
  EXPECT_EQ(saved->tasks, home);
  const std::vector<std::string> savedLists = saved->shownTaskLists();
  EXPECT_EQ(std::set(savedLists.begin(), savedLists.end()), (std::set{home, work}));
  EXPECT_EQ(saved->timelog, "");
  EXPECT_EQ(saved->password(), "secret");
  EXPECT_EQ(test::readBytes(file).find("secret"), std::string::npos);
  EXPECT_TRUE(child<QLineEdit>(page, "password")->text().isEmpty());
  // Opened again, the saved account tests with the keyring's password.
  AccountPage reopened(dns, desktop);
  EXPECT_EQ(child<QLineEdit>(reopened, "server")->text().toStdString(), server.url("/alice/"));
  pressAndWait(reopened, "test");
  EXPECT_TRUE(child<QLabel>(reopened, "status")->text().startsWith("Connected"));
  EXPECT_EQ(child<QComboBox>(reopened, "tasks")->currentText(), "Home");
  EXPECT_EQ(child<QListWidget>(reopened, "taskLists")
                ->findItems("Work", Qt::MatchExactly)
                .front()
                ->checkState(),
            Qt::Checked);
}

}  // namespace
}  // namespace tw

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return tw::test::PrivateKeyring::runAllTests(tw::gKeyring);
}
