#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/JournalEntry.h"

namespace tw {

// The journal entries of a day or a week as table rows: start, end, minutes, subject,
// categories, type and notes. Work markers read as day boundaries (bold, grey) of which only
// the start can be edited; the entry being timed shows its minutes live and keeps its end and
// minutes to the timer. An edit is not stored here: it is handed on (editRequested) as the
// entry it would make. An entry that breaks what an entry may hold (EntryRules), as an older
// version or another program may have stored it, shows in red with what is wrong in its tooltip,
// and a time out of range as "out of range". An entry that cannot be billed as it is
// (JournalProblems) shows on a soft amber tint, which reads on light and dark palettes alike,
// with why in its tooltip.
class JournalModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kStart, kEnd, kMinutes, kSubject, kCategories, kType, kNotes, kColumns };

  explicit JournalModel(QObject* parent = nullptr);

  // The rows shown; dated when they span more than a day.
  void setEntries(std::vector<JournalEntry> entries, bool dated);
  const JournalEntry& entryAt(int row) const { return entries_.at(static_cast<std::size_t>(row)); }
  // Why entries cannot be billed as they are, by entry id; each row shows its entry's.
  void setBillingProblems(std::map<std::int64_t, std::string> problems);
  // The entry being timed (0 for none) and its seconds now.
  void setRunning(std::int64_t entryId, std::int64_t seconds);
  // The entry's wall-clock start, or nothing when it lies outside the dates there are.
  static std::optional<DateTime> localStart(const JournalEntry& entry);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  void editRequested(const JournalEntry& before, const JournalEntry& after);
  // An edit that names no entry (a start the clocks skip), and why.
  void editRefused(const QString& why);

 private:
  // The entry as shown: the one being timed with its seconds now.
  JournalEntry shown(int row) const;
  QVariant display(const JournalEntry& entry, int column) const;
  QVariant editValue(const JournalEntry& entry, int column) const;
  static DateTime timeOf(const JournalEntry& entry, bool end, const QVariant& value);
  // What is wrong with the row's entry, for its tooltip; empty when nothing is.
  QString problemAt(int row) const;
  // Why the row's entry cannot be billed as it is; empty when it can.
  QString billingProblemAt(int row) const;

  std::vector<JournalEntry> entries_;
  std::vector<std::string> problems_;
  std::map<std::int64_t, std::string> billingProblems_;
  bool dated_ = false;
  std::int64_t runningId_ = 0;
  std::int64_t runningSeconds_ = 0;
};

}  // namespace tw
