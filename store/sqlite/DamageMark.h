#pragma once

#include <sys/types.h>

#include <string>

namespace tw {

// The note that a store file was found damaged: a small file beside it ("<store>-damaged")
// that names the store file (device and inode) and what was found, so that every program
// refuses to write to that file, also one that never reads the damaged part. The note lapses
// when the store file is replaced (by a recovered store) and is removed when `check` finds the
// file sound again. Finding damage is cheap this way: a full check reads every page (3.7 s for
// a million entries), while the note costs one stat() per store opened.
class DamageMark {
 public:
  explicit DamageMark(const std::string& store) : mark_(store + "-damaged") {}

  // What was found, when the note names this file; empty when there is none (a note left by a
  // file since replaced is removed).
  std::string found(dev_t device, ino_t inode) const;
  // Leaves the note; returns why it could not be left, or an empty text.
  std::string record(dev_t device, ino_t inode, const std::string& what) const;
  void clear() const;

 private:
  std::string mark_;
};

}  // namespace tw
