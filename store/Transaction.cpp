#include "store/Transaction.h"

#include "store/Connection.h"

namespace tw {

Transaction::Transaction(Connection& connection) : connection_(connection) {
  connection_.execute("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
  if (open_) connection_.rollback();
}

void Transaction::commit() {
  connection_.execute("COMMIT");
  open_ = false;
}

}  // namespace tw
