#pragma once

#include <cstdint>
#include <string>

namespace tw {

// Common base of the items a folder holds (journal items and task items).
class StoreItem {
 public:
  virtual ~StoreItem() = default;
  virtual std::string Subject() const = 0;
  virtual std::string Categories() const = 0;
  virtual void Save() = 0;
  // The store's identity of a saved item; 0 before the first Save.
  virtual std::int64_t id() const = 0;
};

}  // namespace tw
