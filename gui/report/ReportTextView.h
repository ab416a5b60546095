#pragma once

#include <QAbstractScrollArea>
#include <QRect>
#include <QString>
#include <cstddef>
#include <string>
#include <vector>

namespace tw {

// A read-only view of a long plain text, such as a report of millions of lines. The text is
// held as UTF-8 bytes with the start of each line; only the lines in sight are converted and
// painted, in the widget's font (a fixed-pitch one: the widths are counted in characters).
// Whole lines are selected with the mouse (press, drag, shift-click) or with Ctrl+A, and
// copied with Ctrl+C, each line ending in CR LF.
class ReportTextView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit ReportTextView(QWidget* parent = nullptr);

  // Takes the text over; lines end with LF or CR LF. A last line without a line end is shown
  // too. The selection is cleared and the view goes back to the top.
  void setText(std::string utf8);
  // The text as given.
  const std::string& bytes() const { return text_; }

  std::size_t lineCount() const { return lineStarts_.size(); }
  // Line index without its line end.
  QString line(std::size_t index) const;
  // Where a line is painted, in viewport coordinates.
  QRect lineRect(std::size_t index) const;

  void selectAll();
  bool hasSelection() const { return selectionFirst_ <= selectionLast_; }
  // The selected lines, each followed by CR LF unless it is a last line that had no line end.
  QString selectedText() const;
  // Puts the selected lines on the clipboard; nothing when none is selected.
  void copy() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // Byte range of a line without its line end.
  std::size_t lineBegin(std::size_t index) const { return lineStarts_[index]; }
  std::size_t lineEnd(std::size_t index) const;
  bool hasLineEnd(std::size_t index) const;
  int lineHeight() const;
  int charWidth() const;
  int visibleLines() const;
  std::size_t lineAt(int y) const;
  void selectTo(std::size_t line);
  void updateScrollBars();

  std::string text_;
  std::vector<std::size_t> lineStarts_;
  std::size_t longestLineBytes_ = 0;
  std::size_t anchor_ = 0;
  std::size_t selectionFirst_ = 1;
  std::size_t selectionLast_ = 0;
  bool dragging_ = false;
};

}  // namespace tw
