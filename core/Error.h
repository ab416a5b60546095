#pragma once

#include <stdexcept>

namespace tw {

// The base of every failure Tallyworks itself reports. Its description is for people, as a
// window's message or the command line shows it; each layer throws a kind of its own below this
// one (DateTimeError, FileError, FormatError, StoreError, TrackingError, ImportError, SyncError,
// UsageError, CommandError, WindowError), so that a handler can tell ours from a library's.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tw
