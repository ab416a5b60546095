// libFuzzer target: a calendar server's WebDAV answer, as the synchronisation reads it: the
// multi-status document, the addresses in it and the description of an error answer, checked
// against properties that hold for every input. Built by scripts/fuzz, not by the normal build.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sync/Href.h"
#include "sync/MultiStatus.h"
#include "sync/ServerText.h"
#include "sync/SyncError.h"

namespace {

// One line of valid UTF-8 without control characters, at most max bytes and the "…".
void checkOneLine(const std::string& line, std::size_t max) {
  if (line.size() > max + 3) std::abort();
  for (unsigned char c : line)
    if (c < 0x20 || c == 0x7F) std::abort();
  if (tw::ServerText::oneLine(line, max) != line) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string body(reinterpret_cast<const char*>(data), size);
  const std::string collection = "/alice/timelog/";
  try {
    const tw::MultiStatus status = tw::MultiStatus::parse(body, "http://127.0.0.1:80");
    for (const tw::MultiStatus::Response& r : status.responses()) {
      // An address taken as a member names one resource directly inside the collection.
      if (tw::Href::isMember(collection, r.href) &&
          (r.href.find('/', collection.size()) != std::string::npos ||
           r.href.size() <= collection.size()))
        std::abort();
      for (const auto& [name, property] : r.found)
        for (const std::string& href : property.hrefs)
          if (href.empty() || href.front() != '/') std::abort();
    }
  } catch (const tw::SyncError& e) {
    // Refused: with a description, as every refusal is.
    if (*e.what() == '\0') std::abort();
  }
  checkOneLine(tw::ServerText::description(body), 200);
  checkOneLine(tw::ServerText::oneLine(body, 40), 40);
  tw::ServerText::names(body, "valid-sync-token");
  return 0;
}
