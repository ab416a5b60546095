#pragma once

#include "store/sqlite/Database.h"

namespace tw {

// A write transaction, rolled back unless committed; inside another transaction it joins it.
class Transaction {
 public:
  explicit Transaction(Database& db) : db_(db) { db_.begin(); }
  ~Transaction() {
    if (open_) db_.rollback();
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void commit() {
    open_ = false;
    db_.commit();
  }

 private:
  Database& db_;
  bool open_ = true;
};

}  // namespace tw
