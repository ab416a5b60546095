#include "gui/journal/JournalModel.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <utility>

#include "core/EntryRules.h"
#include "core/Markers.h"
#include "core/TimeZone.h"
#include "gui/common/QtDates.h"
#include "gui/common/Text.h"
#include "tracking/JournalEditor.h"

namespace tw {

namespace {

std::optional<DateTime> shownIfInRange(std::int64_t localSeconds) {
  if (localSeconds < DateTime::minSeconds() || localSeconds > DateTime::maxSeconds())
    return std::nullopt;
  return DateTime::fromSeconds(localSeconds);
}

// The end on this machine's wall clock.
std::optional<DateTime> localEnd(const JournalEntry& e) {
  if (e.seconds > EntryRules::kMostSeconds || e.seconds < -EntryRules::kMostSeconds) return {};
  const Instant end = e.start.plus(e.seconds);
  return shownIfInRange(end.localSeconds(TimeZone::offsetAt(end)));
}

QVariant timeText(const std::optional<DateTime>& t, const QString& format) {
  if (!t) return QStringLiteral("out of range");
  return QtDates::toQt(*t).toString(format);
}

QVariant timeOfDay(const std::optional<DateTime>& t) {
  if (!t) return {};
  return QtDates::toQt(*t).toString(t->second() == 0 ? QStringLiteral("HH:mm")
                                                     : QStringLiteral("HH:mm:ss"));
}

}  // namespace

JournalModel::JournalModel(QObject* parent) : QAbstractTableModel(parent) {}

void JournalModel::setEntries(std::vector<JournalEntry> entries, bool dated) {
  beginResetModel();
  entries_ = std::move(entries);
  problems_.clear();
  for (const JournalEntry& e : entries_) problems_.push_back(EntryRules::whyInvalid(e));
  dated_ = dated;
  endResetModel();
}

std::optional<DateTime> JournalModel::localStart(const JournalEntry& entry) {
  return shownIfInRange(entry.start.localSeconds(entry.utcOffset));
}

void JournalModel::setRunning(std::int64_t entryId, std::int64_t seconds) {
  runningId_ = entryId;
  runningSeconds_ = seconds;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].id != entryId) continue;
    const int row = static_cast<int>(i);
    emit dataChanged(index(row, kEnd), index(row, kMinutes));
  }
}

void JournalModel::setBillingProblems(std::map<std::int64_t, std::string> problems) {
  billingProblems_ = std::move(problems);
  if (!entries_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1));
}

QString JournalModel::problemAt(int row) const {
  const std::string& why = problems_.at(static_cast<std::size_t>(row));
  if (why.empty()) return {};
  return text("This entry holds values Tallyworks no longer accepts: " + why +
              ". Correct them here, or delete the entry.");
}

QString JournalModel::billingProblemAt(int row) const {
  const auto found = billingProblems_.find(entryAt(row).id);
  if (found == billingProblems_.end()) return {};
  return text("This entry cannot be billed as it is: it " + found->second + ".");
}

int JournalModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int JournalModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

JournalEntry JournalModel::shown(int row) const {
  JournalEntry e = entryAt(row);
  if (e.id == runningId_) e.seconds = runningSeconds_;
  return e;
}

QVariant JournalModel::display(const JournalEntry& e, int column) const {
  const QString timeFormat = dated_ ? QStringLiteral("ddd d MMM  HH:mm") : QStringLiteral("HH:mm");
  switch (column) {
    case kStart:
      return timeText(localStart(e), timeFormat);
    case kEnd:
      return Markers::isMarker(e) ? QVariant() : timeText(localEnd(e), QStringLiteral("HH:mm"));
    case kMinutes:
      return Markers::isMarker(e) ? QVariant() : QVariant(e.minutes());
    case kSubject:
      return text(e.subject);
    case kCategories:
      return text(e.categories);
    case kType:
      return text(e.type);
    default:
      return text(e.body);
  }
}

// Starts and ends are edited as text, the time of day (seconds only when not zero), and read
// back on the entry's day (JournalEditor::typedTime).
QVariant JournalModel::editValue(const JournalEntry& e, int column) const {
  switch (column) {
    case kStart:
      return timeOfDay(localStart(e));
    case kEnd:
      return timeOfDay(localEnd(e));
    default:
      return display(e, column);
  }
}

QVariant JournalModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const JournalEntry e = shown(index.row());
  switch (role) {
    case Qt::DisplayRole:
      return display(e, index.column());
    case Qt::EditRole:
      return editValue(e, index.column());
    case Qt::FontRole: {
      if (!Markers::isMarker(e) && e.id != runningId_) return {};
      QFont bold;
      bold.setBold(true);
      return bold;
    }
    case Qt::ForegroundRole:
      if (!problemAt(index.row()).isEmpty()) return QBrush(Qt::red);
      return Markers::isMarker(e) ? QVariant(QBrush(Qt::darkGray)) : QVariant();
    case Qt::BackgroundRole:
      if (billingProblemAt(index.row()).isEmpty()) return {};
      return QBrush(QColor(255, 176, 0, 56));
    case Qt::ToolTipRole: {
      QStringList why = {problemAt(index.row()), billingProblemAt(index.row())};
      why.removeAll(QString());
      return why.isEmpty() ? QVariant() : QVariant(why.join(QStringLiteral("\n")));
    }
    case Qt::TextAlignmentRole:
      return index.column() == kMinutes ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default:
      return {};
  }
}

QVariant JournalModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const names[] = {"Start",      "End",  "Minutes", "Subject",
                                      "Categories", "Type", "Notes"};
  return QString::fromLatin1(names[section]);
}

Qt::ItemFlags JournalModel::flags(const QModelIndex& index) const {
  const Qt::ItemFlags base = QAbstractTableModel::flags(index);
  if (!index.isValid() || index.column() == kType) return base;
  const JournalEntry& e = entryAt(index.row());
  const bool timed = index.column() == kEnd || index.column() == kMinutes;
  if (Markers::isMarker(e) && index.column() != kStart) return base;
  if (e.id == runningId_ && timed) return base;
  return base | Qt::ItemIsEditable;
}

bool JournalModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  const bool time = index.column() == kStart || index.column() == kEnd;
  // A time that cannot be shown has no value to edit (a time the clocks skip is still read).
  const QDateTime given = value.toDateTime();
  if (time && value.typeId() != QMetaType::QString &&
      !(given.date().isValid() && given.time().isValid()))
    return false;
  const JournalEntry before = entryAt(index.row());
  JournalEntry after = before;
  DateTime at;
  try {
    if (time) at = timeOf(before, index.column() == kEnd, value);
    if (index.column() == kStart) after = JournalEditor::placed(before, at);
  } catch (const std::exception& e) {
    emit editRefused(QString::fromStdString(e.what()));
    return false;
  }
  switch (index.column()) {
    case kStart:
      break;
    case kEnd:
      after.seconds = TimeZone::fromLocal(at).secondsSince(before.start);
      break;
    case kMinutes:
      after.seconds = value.toLongLong() * 60;
      break;
    case kSubject:
      after.subject = value.toString().trimmed().toStdString();
      break;
    case kCategories:
      after.categories = value.toString().trimmed().toStdString();
      break;
    default:
      after.body = value.toString().toStdString();
      break;
  }
  if (time && after.start == before.start && after.seconds == before.seconds) return true;
  emit editRequested(before, after);
  return true;
}

// A time typed as text, or given as a date-time.
DateTime JournalModel::timeOf(const JournalEntry& entry, bool end, const QVariant& value) {
  if (value.typeId() == QMetaType::QString)
    return JournalEditor::typedTime(entry, value.toString().trimmed().toStdString(), end);
  return QtDates::fromQt(value.toDateTime());
}

}  // namespace tw
