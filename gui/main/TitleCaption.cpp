#include "gui/main/TitleCaption.h"

#include "core/Clock.h"
#include "core/TimeZone.h"
#include "gui/common/ClockText.h"
#include "gui/common/MessageBoxes.h"
#include "store/StoreError.h"

namespace tw {

namespace {

constexpr std::int64_t kReadEveryMillis = 60'000;

}  // namespace

TitleCaption::TitleCaption(JournalStore& store, const Clock& clock)
    : store_(store), clock_(clock) {}

QString TitleCaption::caption(const TrackingSession::Status& status, std::int64_t heldId,
                              const QString& stopped) {
  if (status.state != TrackingSession::State::Tracking) return stopped;
  const Instant now = clock_.now();
  const DateTime today = TimeZone::toLocal(now).date();
  if (heldId != heldId_ || today != day_ ||
      clock_.steadyMillis() - readAtSteady_ >= kReadEveryMillis)
    readToday(today, heldId);
  return QStringLiteral("%1 %2 · today %3 — %4")
      .arg(QString::fromStdString(status.subject), ClockText::hoursMinutes(status.minutes),
           ClockText::hoursMinutes(total_.minutes(status.minutes)), MessageBoxes::kDefaultTitle);
}

// A store that cannot be read leaves the total it last read, until the next reading (the status
// bar says what is wrong with the store).
void TitleCaption::readToday(DateTime today, std::int64_t heldId) {
  day_ = today;
  heldId_ = heldId;
  readAtSteady_ = clock_.steadyMillis();
  DayTotal total;
  try {
    total = DayTotal::read(store_, today, heldId);
  } catch (const StoreError&) {
    return;
  }
  total_ = total;
}

}  // namespace tw
