#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/DateTime.h"
#include "core/JournalEntry.h"
#include "gui/journal/JournalChange.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QTimer;
class QUndoStack;
class QVBoxLayout;

namespace tw {

class ConflictCopies;
class JournalEditor;
class JournalModel;
class JournalStore;
class TrackingSession;
struct WindowServices;

// "Journal": the entries of a day or a week, read from the store for that period alone, with
// the day's and the week's minutes per category. Entries are edited in place, added by hand,
// split and deleted, and work markers placed; every change is saved at once through the
// journal editor and can be undone and made again. The entry being timed shows live.
class JournalWindow : public QWidget {
  Q_OBJECT

 public:
  JournalWindow(JournalStore& store, TrackingSession& session, JournalEditor& editor,
                WindowServices& services, QWidget* parent = nullptr);

  // Shows the day (or its week) of this local date.
  void showDay(DateTime day);
  // Shows the day of this local date with the first entry of the task subject selected (the
  // timesheet's way into the journal).
  void showTaskOn(DateTime day, const QString& subject);
  // The conflict copies of the calendar synchronisation, offered while there are any; none
  // when null.
  void setConflictCopies(ConflictCopies* copies);

 public slots:
  // Reads the period shown again.
  void reload();
  // The live minutes of the entry being timed; a new reading when the timing or the store
  // changed.
  void onTick();

 private slots:
  void onPreviousClicked();
  void onNextClicked();
  void onTodayClicked();
  void onViewChanged();
  void onAddClicked();
  void onSplitClicked();
  void onDeleteClicked();
  void onStartMarkerClicked();
  void onStopMarkerClicked();
  void onConflictsClicked();
  void onUndo();
  void onRedo();
  void onEditRequested(const JournalEntry& before, const JournalEntry& after);

 private:
  // JournalWindow.cpp: layout, the period and its totals.
  void buildTopRow(QWidget* parent, QVBoxLayout* layout);
  void buildButtons(QWidget* parent, QVBoxLayout* layout);
  bool weekShown() const;
  DateTime weekStart() const;
  DateTime today() const;
  void showLive();
  void showConflictCount();
  std::int64_t runningId() const;
  // The row selected, or -1.
  int selectedRow() const;
  // JournalWindowEdits.cpp: the changes.
  void addMarker(bool opening);
  void push(const QString& text, std::vector<JournalChange::Step> steps);
  void fail(const QString& doing, const std::exception& failure);
  DateTime suggestedMoment() const;

  JournalStore& store_;
  TrackingSession& session_;
  JournalEditor& editor_;
  WindowServices& services_;
  DateTime day_;
  // The entries of the week of day_, and of day_ itself, as read last.
  std::vector<JournalEntry> week_;
  std::vector<JournalEntry> dayEntries_;
  // Why entries of the week cannot be billed as they are (JournalProblems), by id.
  std::map<std::int64_t, std::string> billingProblems_;
  std::int64_t shownRunning_ = 0;
  std::int64_t changeCount_ = -1;

  ConflictCopies* conflicts_ = nullptr;

  JournalModel* model_;
  QUndoStack* undo_;
  QComboBox* view_ = nullptr;
  QLabel* period_ = nullptr;
  QPushButton* conflictsButton_ = nullptr;
  QTableView* table_ = nullptr;
  QLabel* totals_ = nullptr;
  QTimer* tickTimer_ = nullptr;
};

}  // namespace tw
