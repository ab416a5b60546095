#include <gtest/gtest.h>
#include <signal.h>
#include <xcb/xcb.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <functional>
#include <memory>

#include "gui/desktop/X11IdleSource.h"

namespace tw::test {
namespace {

// An Xvfb of the test's own on a display number the server picks free itself, and a
// connection to it; the server is killed at the end.
class PrivateXServer {
 public:
  explicit PrivateXServer(const QStringList& arguments) {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) return;
    server_.start(QStringLiteral("Xvfb"),
                  QStringList{"-displayfd", "1", "-nolisten", "tcp"} + arguments);
    if (!server_.waitForStarted()) return;
    QByteArray number;
    while (!number.endsWith('\n') && server_.waitForReadyRead(10000)) number += server_.readAll();
    display_ = ":" + QString::fromLatin1(number.trimmed());
    connection_.reset(xcb_connect(display_.toLatin1().constData(), nullptr));
  }
  ~PrivateXServer() {
    server_.kill();
    server_.waitForFinished();
  }
  PrivateXServer(const PrivateXServer&) = delete;
  PrivateXServer& operator=(const PrivateXServer&) = delete;

  bool running() const { return connection_ && xcb_connection_has_error(connection_.get()) == 0; }
  xcb_connection_t* connection() const { return connection_.get(); }
  void kill() {
    ::kill(static_cast<pid_t>(server_.processId()), SIGKILL);
    server_.waitForFinished();
  }
  // Moves the pointer as a user would, through the XTEST extension.
  void moveMouse(int x) const {
    QProcess xdotool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    xdotool.setProcessEnvironment(environment);
    xdotool.start(QStringLiteral("xdotool"), {"mousemove", QString::number(x), "10"});
    ASSERT_TRUE(xdotool.waitForFinished(10000));
    ASSERT_EQ(xdotool.exitCode(), 0) << xdotool.readAllStandardError().toStdString();
  }

 private:
  QProcess server_;
  QString display_;
  std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection_{nullptr,
                                                                           &xcb_disconnect};
};

// Asks the source until the condition holds of its answer, for at most ten seconds.
bool waitFor(X11IdleSource& source, const std::function<bool(std::int64_t)>& holds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 10000) {
    const std::optional<std::int64_t> idle = source.idleSeconds();
    if (idle && holds(*idle)) return true;
    QThread::msleep(50);
  }
  return false;
}

TEST(X11IdleSourceTest, CountsTheTimeSinceTheLastInputOnTheDisplay) {
  PrivateXServer x({});
  if (!x.running()) GTEST_SKIP() << "no Xvfb";
  X11IdleSource source(x.connection());
  // No input since the server started.
  ASSERT_TRUE(waitFor(source, [](std::int64_t idle) { return idle >= 2; }));
  const std::int64_t before = *source.idleSeconds();
  x.moveMouse(100);
  EXPECT_TRUE(waitFor(source, [before](std::int64_t idle) { return idle < before; }));
}

// No connection, a server without the extension, and one that went away leave the source
// silent.
TEST(X11IdleSourceTest, SilentWithoutTheExtensionOrTheServer) {
  EXPECT_EQ(X11IdleSource(nullptr).idleSeconds(), std::nullopt);
  {
    PrivateXServer x({"-extension", "MIT-SCREEN-SAVER"});
    if (!x.running()) GTEST_SKIP() << "no Xvfb";
    EXPECT_EQ(X11IdleSource(x.connection()).idleSeconds(), std::nullopt);
  }
  PrivateXServer x({});
  X11IdleSource source(x.connection());
  ASSERT_NE(source.idleSeconds(), std::nullopt);
  x.kill();
  EXPECT_EQ(source.idleSeconds(), std::nullopt);
}

}  // namespace
}  // namespace tw::test
