#pragma once

#include "gui/common/MessageBoxes.h"

namespace tw {

// Passes every message on to the desktop's message boxes and knows whether one is open, so
// that timer ticks can wait while the user reads a message.
class GuardedMessages : public MessageBoxes {
 public:
  explicit GuardedMessages(MessageBoxes& inner) : inner_(inner) {}
  using MessageBoxes::show;
  void show(const QString& text, const QString& title, Icon icon) override {
    const Opened opened(open_);
    inner_.show(text, title, icon);
  }
  bool ask(const QString& text, const QString& title) override {
    const Opened opened(open_);
    return inner_.ask(text, title);
  }
  bool open() const { return open_ > 0; }

 private:
  // Counts a message as open for its lifetime.
  class Opened {
   public:
    explicit Opened(int& open) : open_(open) { ++open_; }
    ~Opened() { --open_; }
    Opened(const Opened&) = delete;
    Opened& operator=(const Opened&) = delete;

   private:
    int& open_;
  };

  MessageBoxes& inner_;
  int open_ = 0;
};

}  // namespace tw
