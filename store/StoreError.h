#pragma once

#include <stdexcept>

namespace tw {

// Every failing store call throws this. The description names the store file and the cause in
// words a person understands, so that a window or the command line can show it as it stands.
class StoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tw
