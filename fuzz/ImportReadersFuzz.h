#pragma once

// What every reader of another program's file must keep, whatever the bytes: it reads them or
// refuses them with ImportError, and what it reads has lengths of zero or more, identities,
// and starts a date-time can show.
#include <cstdlib>
#include <sstream>
#include <string>

#include "import/ForeignJournal.h"
#include "import/ImportError.h"
#include "import/InputText.h"

namespace tw::fuzz {

template <typename Reader>
void readAnything(const std::uint8_t* data, std::size_t size, Reader read) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  InputText input(in, "the input");
  ForeignJournal journal;
  try {
    journal = read(input);
  } catch (const ImportError&) {
    return;
  }
  for (const ForeignEntry& e : journal.entries) {
    if (e.seconds < 0 || e.identity.empty() || e.where.empty()) std::abort();
    e.start.local(e.utcOffset);
  }
}

}  // namespace tw::fuzz
