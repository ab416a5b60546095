#include "gui/desktop/IdleWatcher.h"

#include <QScopedValueRollback>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <utility>

#include "core/Clock.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/WindowError.h"
#include "gui/desktop/IdleSource.h"
#include "tracking/TrackingSession.h"

namespace tw {
namespace {

constexpr int kPollMillis = 15000;

std::optional<std::int64_t> longestIdle(const std::vector<IdleSource*>& sources) {
  std::optional<std::int64_t> idle;
  for (IdleSource* source : sources) {
    if (const std::optional<std::int64_t> seconds = source->idleSeconds())
      idle = std::max(idle.value_or(0), *seconds);
  }
  return idle;
}

}  // namespace

IdleWatcher::IdleWatcher(TrackingSession& session, const Clock& clock, IdleQuestion& question,
                         MessageBoxes& messages, std::int64_t limitSeconds, QObject* parent)
    : QObject(parent),
      session_(session),
      clock_(clock),
      question_(question),
      messages_(messages),
      limitSeconds_(limitSeconds) {
  pollTimer_ = new QTimer(this);
  pollTimer_->setInterval(kPollMillis);
  connect(pollTimer_, &QTimer::timeout, this, &IdleWatcher::poll);
}

void IdleWatcher::addSource(IdleSource* source) {
  adopt(source);
  sources_.push_back(source);
}

void IdleWatcher::addFallbackSource(IdleSource* source) {
  adopt(source);
  fallbacks_.push_back(source);
}

void IdleWatcher::adopt(IdleSource* source) {
  source->setParent(this);
  connect(source, &IdleSource::lockChanged, this, &IdleWatcher::onLockChanged);
}

void IdleWatcher::start() {
  pollTimer_->start();
}

void IdleWatcher::poll() {
  if (asking_ || locked_ || (!awaySince_ && !session_.tracking())) return;
  const std::optional<std::int64_t> idle = idleSeconds();
  if (!idle) return;
  if (!awaySince_ && *idle >= limitSeconds_)
    awaySince_ = clock_.now().plus(-*idle);
  else if (awaySince_ && *idle < limitSeconds_)
    comeBack();
}

std::optional<std::int64_t> IdleWatcher::idleSeconds() const {
  if (std::optional<std::int64_t> idle = longestIdle(sources_)) return idle;
  return longestIdle(fallbacks_);
}

// Several sources may tell of the same lock; only changes count. A lock while already away
// keeps the earlier start.
void IdleWatcher::onLockChanged(bool locked) {
  if (locked == locked_) return;
  locked_ = locked;
  if (locked && !awaySince_ && session_.tracking()) awaySince_ = clock_.now();
  if (!locked && awaySince_ && !asking_) comeBack();
}

void IdleWatcher::comeBack() {
  const Instant since = *std::exchange(awaySince_, std::nullopt);
  if (!session_.tracking() || !session_.held()) return;
  const Instant now = clock_.now();
  const std::string task = session_.held()->subject;
  emit returned(QString::fromStdString(task), now.secondsSince(since) / 60);
  IdleQuestion::Answer answer;
  {
    // Polls and lock signals arriving while the question is open wait for the answer.
    const QScopedValueRollback<bool> asking(asking_, true);
    answer = question_.ask(QString::fromStdString(task), since, now);
  }
  try {
    apply(answer, since, task);
  } catch (const std::exception& e) {
    messages_.show("Error saving Journal Entry\r\n" + WindowError::describe(e),
                   MessageBoxes::Icon::Warning);
  }
}

void IdleWatcher::apply(IdleQuestion::Answer answer, Instant since, const std::string& task) {
  switch (answer) {
    case IdleQuestion::Answer::Keep:
      return;
    case IdleQuestion::Answer::Discard:
      session_.cutAt(since, false);
      return;
    case IdleQuestion::Answer::DiscardAndGoOn:
      session_.cutAt(since, false);
      session_.start(task);
      return;
    case IdleQuestion::Answer::Stop:
      session_.cutAt(since, true);
      return;
  }
}

}  // namespace tw
