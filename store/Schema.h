#pragma once

namespace tw {

class Connection;

// The layout of the store file. Its version is kept in PRAGMA user_version and brought
// forward step by step on open; a file of another program or of a newer version is reported
// and left as it is.
class Schema {
 public:
  static constexpr int kVersion = 1;
  static void prepare(Connection& connection);
};

}  // namespace tw
