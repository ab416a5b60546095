// libFuzzer target: a name server's answer, read for the SRV and TXT records that find a
// calendar service, checked against what every caller relies on. Built by scripts/fuzz, not by
// the normal build.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "sync/SystemResolver.h"

namespace {
bool hostName(const std::string& host) {
  return !host.empty() && host.size() <= 253 &&
         std::all_of(host.begin(), host.end(),
                     [](unsigned char c) { return std::isalnum(c) || c == '-' || c == '.'; });
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int length = static_cast<int>(std::min<std::size_t>(size, 64 * 1024));
  using tw::DnsResolver;
  using tw::SystemResolver;
  const std::vector<DnsResolver::Service> services = SystemResolver::servicesIn(data, length);
  if (services.size() > DnsResolver::kMaxRecords) std::abort();
  for (std::size_t i = 0; i < services.size(); ++i) {
    const DnsResolver::Service& s = services[i];
    if (s.port <= 0 || s.port > 65535 || !hostName(s.host)) std::abort();
    // Lowest priority first, the higher weight first among equals.
    if (i > 0 && (services[i - 1].priority > s.priority ||
                  (services[i - 1].priority == s.priority && services[i - 1].weight < s.weight)))
      std::abort();
  }
  const std::vector<std::string> texts = SystemResolver::textsIn(data, length);
  if (texts.size() > DnsResolver::kMaxRecords) std::abort();
  for (const std::string& text : texts) {
    if (text.size() > 255) std::abort();
  }
  return 0;
}
