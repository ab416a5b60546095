#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QLabel>
#include <QTest>
#include <QWidget>

#include "model/ManualClock.h"
#include "reporting/Twips.h"
#include "reporting/frmDate.h"
#include "tests/support/FakeWindowServices.h"

namespace tw {
namespace {

class DatePickerTest : public ::testing::Test {
 protected:
  ManualClock clock{DateTime::fromParts(2024, 3, 15, 10, 30)};
  testing::ScriptedDialogRunner runner;
  QWidget owner;
  frmDate dialog{runner};

  // The next use of the dialog double-clicks day (or closes the window when day is invalid).
  void answerWith(QDate day) {
    runner.onExec = [this, day](QDialog&) {
      if (day.isValid()) emit dialog.MonthView1->activated(day);
      return dialog.result();
    };
  }
};

TEST_F(DatePickerTest, LooksAsDesigned) {
  EXPECT_EQ(dialog.windowTitle(), "Select Date");
  EXPECT_EQ(dialog.Label1->text(), "Double-click day to select");
  EXPECT_EQ(dialog.size(), QSize(twipsToPixels(2670), twipsToPixels(2520)));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
}

TEST_F(DatePickerTest, OpensOnTodayBesideTheOwnerEvenOffScreen) {
  owner.move(5000, 4000);
  dialog.MonthView1->setSelectedDate(QDate(2020, 1, 1));
  runner.onExec = [this](QDialog&) {
    EXPECT_EQ(dialog.MonthView1->selectedDate(), QDate(2024, 3, 15));
    EXPECT_EQ(dialog.MonthView1->yearShown(), 2024);
    EXPECT_EQ(dialog.MonthView1->monthShown(), 3);
    EXPECT_EQ(dialog.pos(), QPoint(5000 + 200, 4000 + 67));
    return 0;
  };
  EXPECT_FALSE(dialog.ShowGetDate(owner));
  EXPECT_EQ(runner.shown, std::vector<QString>{"Select Date"});
}

TEST_F(DatePickerTest, DoubleClickChoosesTheDayAndEndsTheDialog) {
  answerWith(QDate(2024, 4, 2));
  EXPECT_TRUE(dialog.ShowGetDate(owner));
  EXPECT_EQ(dialog.selectedDate, DateTime::fromParts(2024, 4, 2));
  EXPECT_EQ(dialog.result(), QDialog::Accepted);

  answerWith(QDate(2023, 12, 31));
  EXPECT_TRUE(dialog.ShowGetDate(owner));
  EXPECT_EQ(dialog.selectedDate, DateTime::fromParts(2023, 12, 31));
}

TEST_F(DatePickerTest, ClosingWithoutChoiceKeepsTheEarlierDay) {
  EXPECT_EQ(dialog.selectedDate, DateTime());
  answerWith(QDate());
  EXPECT_FALSE(dialog.ShowGetDate(owner));
  EXPECT_EQ(dialog.selectedDate, DateTime());

  answerWith(QDate(2024, 3, 1));
  ASSERT_TRUE(dialog.ShowGetDate(owner));
  answerWith(QDate());
  EXPECT_FALSE(dialog.ShowGetDate(owner));
  EXPECT_EQ(dialog.selectedDate, DateTime::fromParts(2024, 3, 1));
}

TEST_F(DatePickerTest, SingleClickOnlyMovesTheSelection) {
  runner.onExec = [this](QDialog&) {
    emit dialog.MonthView1->clicked(QDate(2024, 3, 20));
    return 0;
  };
  EXPECT_FALSE(dialog.ShowGetDate(owner));
  EXPECT_EQ(dialog.selectedDate, DateTime());
}

TEST_F(DatePickerTest, EnterOnTheCalendarChoosesTheSelectedDay) {
  runner.onExec = [this](QDialog&) {
    dialog.show();
    auto* view = dialog.MonthView1->findChild<QWidget*>("qt_calendar_calendarview");
    EXPECT_NE(view, nullptr);
    if (view) QTest::keyClick(view, Qt::Key_Return);
    return dialog.result();
  };
  EXPECT_TRUE(dialog.ShowGetDate(owner));
  EXPECT_EQ(dialog.selectedDate, DateTime::fromParts(2024, 3, 15));
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace tw
