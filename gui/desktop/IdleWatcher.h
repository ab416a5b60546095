#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Instant.h"
#include "gui/desktop/IdleQuestion.h"

class QTimer;

namespace tw {

class Clock;
class IdleSource;
class MessageBoxes;
class TrackingSession;

// Notices while a task is timed that the user went away: the desktop idle for longer than the
// limit, or the screen locked. When the user is back the question decides what becomes of the
// time since then.
class IdleWatcher : public QObject {
  Q_OBJECT

 public:
  IdleWatcher(TrackingSession& session, const Clock& clock, IdleQuestion& question,
              MessageBoxes& messages, std::int64_t limitSeconds, QObject* parent = nullptr);
  // Sources are asked in the order added; the longest idle time any reports counts. The
  // watcher becomes the source's parent.
  void addSource(IdleSource* source);
  // A source asked only when none of the others tells an idle time.
  void addFallbackSource(IdleSource* source);
  // Polls the sources every few seconds from now on.
  void start();

 public slots:
  void poll();

 signals:
  // The user is back after minutes away from the timed task; the question comes next.
  void returned(const QString& task, qint64 minutes);

 private:
  void adopt(IdleSource* source);
  std::optional<std::int64_t> idleSeconds() const;
  void onLockChanged(bool locked);
  void comeBack();
  void apply(IdleQuestion::Answer answer, Instant since, const std::string& task);

  TrackingSession& session_;
  const Clock& clock_;
  IdleQuestion& question_;
  MessageBoxes& messages_;
  std::int64_t limitSeconds_;
  std::vector<IdleSource*> sources_;
  std::vector<IdleSource*> fallbacks_;
  QTimer* pollTimer_ = nullptr;
  std::optional<Instant> awaySince_;
  bool locked_ = false;
  bool asking_ = false;
};

}  // namespace tw
