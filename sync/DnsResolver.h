#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The DNS look-ups that find a calendar service from a domain (RFC 6764): SRV and TXT records.
// What a name server sends is untrusted: implementations bound it (kMaxRecords, names and texts
// checked) and give only what could be a host, a port and a path.
class DnsResolver {
 public:
  struct Service {
    std::string host;
    int port = 0;
    int priority = 0;
    int weight = 0;
  };

  static constexpr std::size_t kMaxRecords = 16;

  // Whether host could be a host's name: letters, digits, "-" and ".", not starting with either
  // of those, at most 253 bytes.
  static bool isHostName(std::string_view host) {
    return !host.empty() && host.size() <= 253 && host.front() != '.' && host.front() != '-' &&
           std::all_of(host.begin(), host.end(),
                       [](unsigned char c) { return std::isalnum(c) || c == '-' || c == '.'; });
  }

  virtual ~DnsResolver() = default;
  // The SRV records of name, lowest priority first (higher weight first among equals); empty
  // when there are none or the look-up failed. A target "." (no such service) is left out.
  virtual std::vector<Service> services(const std::string& name) = 0;
  // The strings of the TXT records of name.
  virtual std::vector<std::string> texts(const std::string& name) = 0;
};

}  // namespace tw
