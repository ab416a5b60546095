#include "gui/report/ReportTextView.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>
#include <cstring>

namespace tw {

namespace {

// Space between the frame and the text, in pixels.
constexpr int kMargin = 4;

int clampToInt(std::size_t n) {
  return static_cast<int>(std::min<std::size_t>(n, INT_MAX));
}

}  // namespace

ReportTextView::ReportTextView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::IBeamCursor);
  updateScrollBars();
}

void ReportTextView::setText(std::string utf8) {
  text_ = std::move(utf8);
  lineStarts_.clear();
  longestLineBytes_ = 0;
  const char* const data = text_.data();
  const std::size_t size = text_.size();
  std::size_t start = 0;
  while (start < size) {
    lineStarts_.push_back(start);
    const void* lf = std::memchr(data + start, '\n', size - start);
    const std::size_t next = lf ? static_cast<const char*>(lf) - data + 1 : size;
    longestLineBytes_ = std::max(longestLineBytes_, next - start);
    start = next;
  }
  anchor_ = 0;
  selectionFirst_ = 1;
  selectionLast_ = 0;
  dragging_ = false;
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  updateScrollBars();
  viewport()->update();
}

std::size_t ReportTextView::lineEnd(std::size_t index) const {
  std::size_t end = index + 1 < lineStarts_.size() ? lineStarts_[index + 1] : text_.size();
  if (end > lineBegin(index) && text_[end - 1] == '\n') --end;
  if (end > lineBegin(index) && text_[end - 1] == '\r') --end;
  return end;
}

bool ReportTextView::hasLineEnd(std::size_t index) const {
  return index + 1 < lineStarts_.size() || text_.back() == '\n';
}

QString ReportTextView::line(std::size_t index) const {
  const std::size_t begin = lineBegin(index);
  return QString::fromUtf8(text_.data() + begin, static_cast<qsizetype>(lineEnd(index) - begin));
}

QRect ReportTextView::lineRect(std::size_t index) const {
  const long long row =
      static_cast<long long>(index) - static_cast<long long>(verticalScrollBar()->value());
  const long long top = row * lineHeight() + kMargin;
  return QRect(0, static_cast<int>(std::clamp<long long>(top, INT_MIN / 2, INT_MAX / 2)),
               viewport()->width(), lineHeight());
}

int ReportTextView::lineHeight() const {
  return std::max(1, QFontMetrics(font()).lineSpacing());
}

int ReportTextView::charWidth() const {
  return std::max(1, QFontMetrics(font()).horizontalAdvance(QLatin1Char('M')));
}

int ReportTextView::visibleLines() const {
  return std::max(1, (viewport()->height() - kMargin) / lineHeight());
}

std::size_t ReportTextView::lineAt(int y) const {
  const long long row = y < kMargin ? -1 : (y - kMargin) / lineHeight();
  const long long index = verticalScrollBar()->value() + row;
  const long long last = static_cast<long long>(lineStarts_.size()) - 1;
  return static_cast<std::size_t>(std::clamp<long long>(index, 0, last));
}

void ReportTextView::selectAll() {
  if (lineStarts_.empty()) return;
  selectionFirst_ = 0;
  selectionLast_ = lineStarts_.size() - 1;
  viewport()->update();
}

QString ReportTextView::selectedText() const {
  if (!hasSelection()) return {};
  std::string chosen;
  chosen.reserve(lineStarts_[selectionLast_] - lineStarts_[selectionFirst_] + 256);
  for (std::size_t i = selectionFirst_; i <= selectionLast_; ++i) {
    chosen.append(text_, lineBegin(i), lineEnd(i) - lineBegin(i));
    if (hasLineEnd(i)) chosen += "\r\n";
  }
  return QString::fromStdString(chosen);
}

void ReportTextView::copy() const {
  if (hasSelection()) QGuiApplication::clipboard()->setText(selectedText());
}

void ReportTextView::selectTo(std::size_t line) {
  selectionFirst_ = std::min(anchor_, line);
  selectionLast_ = std::max(anchor_, line);
  viewport()->update();
}

void ReportTextView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.setFont(font());
  const QPalette& colours = palette();
  painter.setPen(colours.color(QPalette::Text));
  if (lineStarts_.empty()) return;
  const QFontMetrics metrics(font());
  const int x = kMargin - horizontalScrollBar()->value();
  const std::size_t first = lineAt(event->rect().top());
  const std::size_t last = lineAt(event->rect().bottom());
  for (std::size_t i = first; i <= last; ++i) {
    const QRect area = lineRect(i);
    const bool selected = i >= selectionFirst_ && i <= selectionLast_;
    if (selected) painter.fillRect(area, colours.brush(QPalette::Highlight));
    painter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(x, area.top() + metrics.ascent(), line(i));
  }
}

void ReportTextView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
}

void ReportTextView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    updateScrollBars();
    viewport()->update();
  }
}

void ReportTextView::updateScrollBars() {
  const int page = visibleLines();
  QScrollBar* vertical = verticalScrollBar();
  vertical->setRange(0, std::max(0, clampToInt(lineStarts_.size()) - page));
  vertical->setSingleStep(1);
  vertical->setPageStep(page);

  const long long textWidth =
      static_cast<long long>(longestLineBytes_) * charWidth() + 2LL * kMargin;
  const int width = static_cast<int>(std::min<long long>(textWidth, INT_MAX));
  QScrollBar* horizontal = horizontalScrollBar();
  horizontal->setRange(0, std::max(0, width - viewport()->width()));
  horizontal->setSingleStep(charWidth());
  horizontal->setPageStep(viewport()->width());
}

void ReportTextView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) return copy();
  if (event->matches(QKeySequence::SelectAll)) return selectAll();
  QScrollBar* vertical = verticalScrollBar();
  QScrollBar* horizontal = horizontalScrollBar();
  const bool control = event->modifiers() & Qt::ControlModifier;
  switch (event->key()) {
    case Qt::Key_Up:
      return vertical->triggerAction(QAbstractSlider::SliderSingleStepSub);
    case Qt::Key_Down:
      return vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    case Qt::Key_PageUp:
      return vertical->triggerAction(QAbstractSlider::SliderPageStepSub);
    case Qt::Key_PageDown:
      return vertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
    case Qt::Key_Left:
      return horizontal->triggerAction(QAbstractSlider::SliderSingleStepSub);
    case Qt::Key_Right:
      return horizontal->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    case Qt::Key_Home:
      horizontal->setValue(horizontal->minimum());
      if (control) vertical->setValue(vertical->minimum());
      return;
    case Qt::Key_End:
      horizontal->setValue(control ? horizontal->minimum() : horizontal->maximum());
      if (control) vertical->setValue(vertical->maximum());
      return;
    default:
      QAbstractScrollArea::keyPressEvent(event);
  }
}

void ReportTextView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || lineStarts_.empty()) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  const std::size_t pressed = lineAt(event->position().toPoint().y());
  if (!(event->modifiers() & Qt::ShiftModifier) || !hasSelection()) anchor_ = pressed;
  dragging_ = true;
  selectTo(pressed);
}

void ReportTextView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) {
    QAbstractScrollArea::mouseMoveEvent(event);
    return;
  }
  const int y = event->position().toPoint().y();
  // Dragging past the top or the bottom scrolls the text along.
  if (y < 0) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
  if (y >= viewport()->height())
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  selectTo(lineAt(y));
}

void ReportTextView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mouseReleaseEvent(event);
    return;
  }
  dragging_ = false;
}

}  // namespace tw
