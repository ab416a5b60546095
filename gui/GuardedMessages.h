#pragma once

#include "gui/MessageBoxes.h"

namespace tw {

// Passes every message on to the desktop's message boxes and knows whether one is open, so
// that timer ticks can wait while the user reads a message.
class GuardedMessages : public MessageBoxes {
 public:
  explicit GuardedMessages(MessageBoxes& inner) : inner_(inner) {}
  using MessageBoxes::show;
  void show(const QString& text, const QString& title, Icon icon) override {
    ++open_;
    struct Closed {
      int& open;
      ~Closed() { --open; }
    } closed{open_};
    inner_.show(text, title, icon);
  }
  bool open() const { return open_ > 0; }

 private:
  MessageBoxes& inner_;
  int open_ = 0;
};

}  // namespace tw
