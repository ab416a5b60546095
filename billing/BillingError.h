#pragma once

#include "core/Error.h"

namespace tw {

// A billing request that cannot be met (an unknown currency, an amount with too many decimals,
// no such client), with a description for people.
class BillingError : public Error {
 public:
  using Error::Error;
};

}  // namespace tw
