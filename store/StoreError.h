#pragma once

#include <stdexcept>
#include <string>

namespace tw {

// Every failing store call throws this. The description names the store file and the cause
// in words a person understands, so a window can show it as it stands.
class StoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  std::string description() const { return what(); }
};

}  // namespace tw
