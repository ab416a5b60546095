#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTest>
#include <string>

#include "reporting/ReportTextView.h"

namespace tw {
namespace {

std::string numberedLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + "\r\n";
  return text;
}

class ReportTextViewTest : public ::testing::Test {
 protected:
  ReportTextView view;

  void SetUp() override {
    view.resize(400, 300);
    view.show();
  }
  void click(std::size_t line, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, view.lineRect(line).center());
  }
};

TEST_F(ReportTextViewTest, IndexesLinesEndingInCrLfAndALastLineWithoutLineEnd) {
  view.setText("Journal Report\r\n\r\nCafé – 東京  1 hour\r\nTotal");
  ASSERT_EQ(view.lineCount(), 4u);
  EXPECT_EQ(view.line(0), "Journal Report");
  EXPECT_EQ(view.line(1), "");
  EXPECT_EQ(view.line(2), QString::fromUtf8("Café – 東京  1 hour"));
  EXPECT_EQ(view.line(3), "Total");

  view.setText("one\r\ntwo\r\n");
  ASSERT_EQ(view.lineCount(), 2u);
  EXPECT_EQ(view.line(1), "two");

  view.setText("");
  EXPECT_EQ(view.lineCount(), 0u);
  view.selectAll();
  EXPECT_FALSE(view.hasSelection());
  view.repaint();  // nothing to paint, nothing to trip over
}

TEST_F(ReportTextViewTest, SelectAllAndCopyGiveTheWholeText) {
  const std::string text = "Journal Report\r\n\r\nCafé – 東京  1 hour\r\nTotal  2 hours\r\n";
  view.setText(text);
  QGuiApplication::clipboard()->clear();
  QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromStdString(text));

  view.setText("no line end\r\nat the end");
  view.selectAll();
  EXPECT_EQ(view.selectedText(), "no line end\r\nat the end");
}

TEST_F(ReportTextViewTest, ClickAndShiftClickSelectExactlyThoseLines) {
  view.setText(numberedLines(10));
  click(2);
  click(4, Qt::ShiftModifier);
  EXPECT_EQ(view.selectedText(), "line 2\r\nline 3\r\nline 4\r\n");

  click(6);
  click(5, Qt::ShiftModifier);
  EXPECT_EQ(view.selectedText(), "line 5\r\nline 6\r\n");

  // A new text leaves nothing selected, and copying then leaves the clipboard alone.
  view.setText(numberedLines(3));
  EXPECT_FALSE(view.hasSelection());
  QGuiApplication::clipboard()->setText("kept");
  view.copy();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
}

TEST_F(ReportTextViewTest, DraggingSelectsTheLinesPassed) {
  view.setText(numberedLines(10));
  QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, view.lineRect(3).center());
  QMouseEvent move(QEvent::MouseMove, view.lineRect(1).center(),
                   view.viewport()->mapToGlobal(view.lineRect(1).center()), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(view.viewport(), &move);
  QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, view.lineRect(1).center());
  EXPECT_EQ(view.selectedText(), "line 1\r\nline 2\r\nline 3\r\n");
}

TEST_F(ReportTextViewTest, ScrollRangeFollowsTheLineCountAndTheLongestLine) {
  QScrollBar* vertical = view.verticalScrollBar();
  QScrollBar* horizontal = view.horizontalScrollBar();
  view.setText(numberedLines(3));
  EXPECT_EQ(vertical->maximum(), 0);
  EXPECT_EQ(horizontal->maximum(), 0);

  view.setText(numberedLines(100000) + std::string(500, '=') + "\r\n");
  const int page = vertical->pageStep();
  EXPECT_GT(page, 1);
  EXPECT_EQ(vertical->maximum(), 100001 - page);
  EXPECT_GT(horizontal->maximum(), 0);

  QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(vertical->value(), vertical->maximum());
  // The last line sits inside the view.
  EXPECT_LE(view.lineRect(100000).bottom(), view.viewport()->height());
  QTest::keyClick(&view, Qt::Key_PageUp);
  EXPECT_EQ(vertical->value(), vertical->maximum() - page);
  QTest::keyClick(&view, Qt::Key_Up);
  EXPECT_EQ(vertical->value(), vertical->maximum() - page - 1);
  QTest::keyClick(&view, Qt::Key_End);
  EXPECT_EQ(horizontal->value(), horizontal->maximum());
  QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(vertical->value(), 0);
  EXPECT_EQ(horizontal->value(), 0);

  view.setText(numberedLines(2));
  EXPECT_EQ(vertical->maximum(), 0);
}

}  // namespace
}  // namespace tw
