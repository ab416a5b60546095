#pragma once

#include <QString>
#include <cstdint>

#include "core/DateTime.h"
#include "tracking/DayTotal.h"
#include "tracking/TrackingSession.h"

namespace tw {

class Clock;
class JournalStore;

// The main window's title while timing: the task, its time and today's total, as
// "Page layout 1h 05m · today 3h 20m — Tallyworks" (today's total as DayTotal counts it).
// While stopped the usual title stays. Today's entries are read again when the timed entry or
// the day changes, and once a minute.
class TitleCaption {
 public:
  TitleCaption(JournalStore& store, const Clock& clock);

  QString caption(const TrackingSession::Status& status, std::int64_t heldId,
                  const QString& stopped);

 private:
  void readToday(DateTime today, std::int64_t heldId);

  JournalStore& store_;
  const Clock& clock_;
  DateTime day_;
  std::int64_t heldId_ = -1;
  std::int64_t readAtSteady_ = 0;
  DayTotal total_;
};

}  // namespace tw
