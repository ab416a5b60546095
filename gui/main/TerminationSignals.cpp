#include "gui/main/TerminationSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>
#include <csignal>
#include <cstring>
#include <string>

#include "gui/common/WindowError.h"

namespace tw {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP};
std::atomic<int> writeEnd{-1};

[[noreturn]] void fail(const char* what, int error) {
  throw WindowError(std::string("Termination signals cannot be received: ") + what + ": " +
                    std::strerror(error));
}

void restoreDefaults() {
  for (int number : kSignals) ::signal(number, SIG_DFL);
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) fail("no pipe", errno);
  readEnd_ = ends[0];
  writeEnd = ends[1];
  struct sigaction action {};
  action.sa_handler = &TerminationSignals::handle;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int number : kSignals) {
    if (::sigaction(number, &action, nullptr) == 0) continue;
    const int error = errno;
    restoreDefaults();
    ::close(writeEnd.exchange(-1));
    ::close(readEnd_);
    fail("no handler", error);
  }
  auto* notifier = new QSocketNotifier(readEnd_, QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, &TerminationSignals::onReadable);
}

TerminationSignals::~TerminationSignals() {
  restoreDefaults();
  ::close(writeEnd.exchange(-1));
  ::close(readEnd_);
}

// Async-signal-safe: write(2) only, errno kept.
void TerminationSignals::handle(int signalNumber) {
  const int saved = errno;
  const unsigned char number = static_cast<unsigned char>(signalNumber);
  // A full pipe already holds signals enough to act on: a failed write loses nothing.
  [[maybe_unused]] const ssize_t written = ::write(writeEnd.load(), &number, 1);
  errno = saved;
}

void TerminationSignals::onReadable() {
  unsigned char number = 0;
  while (::read(readEnd_, &number, 1) == 1) emit received(number);
}

}  // namespace tw
