#include <QDBusMessage>
#include <QSignalSpy>
#include <optional>
#include <vector>

#include "FakeServices.h"
#include "PrivateBus.h"
#include "WindowFixture.h"
#include "gui/desktop/DesktopNotifier.h"
#include "gui/desktop/IdleWatcher.h"
#include "gui/desktop/LogindIdleSource.h"
#include "gui/desktop/MutterIdleSource.h"
#include "gui/desktop/ScreenSaverIdleSource.h"

namespace tw::test {

namespace {

using Answer = IdleQuestion::Answer;

class ScriptedQuestion : public IdleQuestion {
 public:
  Answer ask(const QString& task, Instant since, Instant) override {
    asked << task + " " + QString::number(since.unixSeconds());
    return answer;
  }
  Answer answer = Answer::Keep;
  QStringList asked;
};

// How the user goes away at 9:20 and comes back at 9:50, as the desktop tells it.
enum class Away {
  LogindLock,
  LockedHint,
  ScreenSaverLock,
  ScreenSaverIdle,
  MutterIdle,
  LogindIdle
};

struct Row {
  Away away;
  Answer answer;
  // The journal afterwards: "subject minutes" in the order stored; "+" marks the one timed.
  QString journal;
};

class IdleFixture : public WindowFixture {
 protected:
  IdleFixture() {
    bus.serve("org.freedesktop.login1", "/org/freedesktop/login1", &manager);
    bus.bus().registerObject("/org/freedesktop/login1/s1", &login,
                             QDBusConnection::ExportAllProperties);
    bus.serve("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", &screenSaver);
    bus.serve("org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core", &mutter);
    logind = new LogindIdleSource(bus.bus(), clock);
    watcher.addSource(logind);
    watcher.addSource(new ScreenSaverIdleSource(bus.bus()));
    watcher.addSource(new MutterIdleSource(bus.bus()));
    addTask("Alpha");
    session.reloadTasks();
    session.start("Alpha");
  }
  // Sends the signal and waits until the bus has delivered it back to a source.
  void send(const QString& path, const QString& interface, const QString& name,
            const QVariantList& args = {}) {
    QSignalSpy changed(sourceOf(interface), &IdleSource::lockChanged);
    QDBusMessage signal = QDBusMessage::createSignal(path, interface, name);
    signal.setArguments(args);
    bus.bus().send(signal);
    ASSERT_TRUE(changed.wait(5000)) << name.toStdString();
  }
  IdleSource* sourceOf(const QString& interface) const {
    return interface.contains("ScreenSaver")
               ? static_cast<IdleSource*>(watcher.findChildren<ScreenSaverIdleSource*>().at(0))
               : logind;
  }
  void setIdle(Away away, std::int64_t seconds) {
    if (away == Away::ScreenSaverIdle) screenSaver.idle = seconds;
    if (away == Away::MutterIdle) mutter.idleMillis = seconds * 1000;
    if (away == Away::LogindIdle) {
      login.idle = seconds > 0;
      login.idleSince = static_cast<qulonglong>(clock.now().unixSeconds() - seconds) * 1000000;
    }
  }
  void lock(Away away, bool locked) {
    const QString session = "/org/freedesktop/login1/s1";
    if (away == Away::LogindLock)
      send(session, "org.freedesktop.login1.Session", locked ? "Lock" : "Unlock");
    if (away == Away::LockedHint)
      send(session, "org.freedesktop.DBus.Properties", "PropertiesChanged",
           {"org.freedesktop.login1.Session", QVariantMap{{"LockedHint", locked}}, QStringList()});
    if (away == Away::ScreenSaverLock)
      send("/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver", "ActiveChanged",
           {locked});
  }
  QString journal() {
    QStringList all;
    store.visitAll([&](const JournalEntry& e) {
      const bool timed = session.tracking() && session.held()->id == e.id;
      all << QString::fromStdString(e.subject) + " " + QString::number(e.minutes()) +
                 (timed ? "+" : "");
      return true;
    });
    return all.join(", ");
  }

  PrivateBus bus;
  FakeLoginManager manager;
  FakeLoginSession login;
  FakeScreenSaver screenSaver;
  FakeMutter mutter;
  ScriptedQuestion question;
  IdleWatcher watcher{session, clock, question, desktop, 600};
  LogindIdleSource* logind = nullptr;
};

class IdleReturnTest : public IdleFixture, public ::testing::WithParamInterface<Row> {};

TEST_P(IdleReturnTest, AsksOnReturnAndCutsTheEntryWhereTheTimeAwayBegan) {
  const Row& row = GetParam();
  const bool byLock = row.away <= Away::ScreenSaverLock;
  question.answer = row.answer;
  clock.advance(20 * 60);  // 9:20
  const Instant away = clock.now();
  if (byLock) lock(row.away, true);
  watcher.poll();
  clock.advance(10 * 60);  // 9:30: ten minutes without input
  setIdle(row.away, 10 * 60);
  watcher.poll();
  clock.advance(20 * 60);  // 9:50
  setIdle(row.away, 30 * 60);
  watcher.poll();
  EXPECT_EQ(question.asked, QStringList());
  setIdle(row.away, 0);
  if (byLock) lock(row.away, false);
  watcher.poll();
  EXPECT_EQ(question.asked, QStringList("Alpha " + QString::number(away.unixSeconds())));
  session.saveNow();
  EXPECT_EQ(journal(), row.journal);
  expectShown({});
}

INSTANTIATE_TEST_SUITE_P(
    Ways, IdleReturnTest,
    ::testing::Values(
        Row{Away::LogindLock, Answer::Keep, "Start Work 0, Alpha 50+"},
        Row{Away::LockedHint, Answer::Discard, "Start Work 0, Alpha 20"},
        Row{Away::ScreenSaverLock, Answer::DiscardAndGoOn, "Start Work 0, Alpha 20, Alpha 0+"},
        Row{Away::ScreenSaverIdle, Answer::Stop, "Start Work 0, Alpha 20, Stop Work 0"},
        Row{Away::MutterIdle, Answer::Discard, "Start Work 0, Alpha 20"},
        Row{Away::LogindIdle, Answer::Keep, "Start Work 0, Alpha 50+"}));

// An idle time the test sets; nothing while the source is silent.
class ScriptedSource : public IdleSource {
 public:
  explicit ScriptedSource(std::optional<std::int64_t> seconds) : idle(seconds) {}
  std::optional<std::int64_t> idleSeconds() override { return idle; }
  std::optional<std::int64_t> idle;
};

struct ChoiceRow {
  std::vector<std::optional<std::int64_t>> services;
  std::optional<std::int64_t> fallback;
  // Seconds away the watcher counts on the user's return, or nothing when it asks nothing.
  std::optional<std::int64_t> away;
};

class IdleChoiceTest : public WindowFixture, public ::testing::WithParamInterface<ChoiceRow> {};

TEST_P(IdleChoiceTest, TheFallbackCountsOnlyWhenNoServiceAnswers) {
  const ChoiceRow& row = GetParam();
  ScriptedQuestion question;
  IdleWatcher watcher{session, clock, question, desktop, 600};
  std::vector<ScriptedSource*> all;
  for (const std::optional<std::int64_t>& idle : row.services) {
    all.push_back(new ScriptedSource(idle));
    watcher.addSource(all.back());
  }
  all.push_back(new ScriptedSource(row.fallback));
  watcher.addFallbackSource(all.back());
  addTask("Alpha");
  session.reloadTasks();
  session.start("Alpha");
  clock.advance(3600);
  watcher.poll();
  for (ScriptedSource* source : all)
    if (source->idle) source->idle = 0;
  watcher.poll();
  const QString since = QString::number(clock.now().unixSeconds() - row.away.value_or(0));
  EXPECT_EQ(question.asked, row.away ? QStringList("Alpha " + since) : QStringList());
}

constexpr std::nullopt_t kSilent = std::nullopt;

INSTANTIATE_TEST_SUITE_P(Sources, IdleChoiceTest,
                         ::testing::Values(ChoiceRow{{kSilent, kSilent, kSilent}, 700, 700},
                                           ChoiceRow{{kSilent, kSilent, kSilent}, 500, kSilent},
                                           ChoiceRow{{kSilent, kSilent, kSilent}, kSilent, kSilent},
                                           ChoiceRow{{kSilent, 0, kSilent}, 700, kSilent},
                                           ChoiceRow{{kSilent, 650, 900}, 2000, 900},
                                           ChoiceRow{{}, 800, 800}));

// A lock while nothing is timed asks nothing; a notification reaches the desktop's service.
TEST_F(IdleFixture, NothingTimedNothingAskedAndNotificationsReachTheDesktop) {
  session.pause();
  lock(Away::LogindLock, true);
  clock.advance(3600);
  lock(Away::LogindLock, false);
  EXPECT_EQ(question.asked, QStringList());

  FakeNotifications notifications;
  bus.serve("org.freedesktop.Notifications", "/org/freedesktop/Notifications", &notifications);
  QSignalSpy notified(&notifications, &FakeNotifications::notified);
  DesktopNotifier(bus.bus()).notify("Welcome back", "Away");
  ASSERT_TRUE(notified.wait(5000));
  EXPECT_EQ(notified.at(0).at(0).toString(), "Welcome back");
}

}  // namespace
}  // namespace tw::test
