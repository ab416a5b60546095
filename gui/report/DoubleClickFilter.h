#pragma once

#include <QObject>
#include <functional>
#include <utility>

namespace tw {

// Runs an action when the widget it watches is double-clicked, read-only text boxes included.
// Install it on the widget it is parented to.
class DoubleClickFilter : public QObject {
  Q_OBJECT

 public:
  DoubleClickFilter(std::function<void()> action, QObject* parent)
      : QObject(parent), action_(std::move(action)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> action_;
};

}  // namespace tw
