#pragma once

#include <string>

#include "core/Error.h"

namespace tw {

// Every failing store call throws this. The description names the store file and the cause in
// words a person understands, so that a window or the command line can show it as it stands;
// the cause alone ("the disk is full") serves where the file is already known, as in a
// status bar.
class StoreError : public Error {
 public:
  explicit StoreError(const std::string& description) : Error(description), cause_(description) {}
  StoreError(const std::string& description, std::string cause)
      : Error(description), cause_(std::move(cause)) {}

  const std::string& cause() const { return cause_; }

 private:
  std::string cause_;
};

}  // namespace tw
