#pragma once

#include "sync/DnsResolver.h"

namespace tw {

// The system's name servers, through libresolv (res_query): /etc/resolv.conf as every program
// uses it.
class SystemResolver : public DnsResolver {
 public:
  std::vector<Service> services(const std::string& name) override;
  std::vector<std::string> texts(const std::string& name) override;

  // The SRV and TXT records of a DNS answer as a name server sent it (length bytes of wire
  // format), read as services() and texts() give them: whatever the bytes, at most kMaxRecords
  // records are read, SRV targets that cannot be a host name are left out, and no string is
  // longer than the 255 bytes a character-string holds.
  static std::vector<Service> servicesIn(const unsigned char* answer, int length);
  static std::vector<std::string> textsIn(const unsigned char* answer, int length);
};

}  // namespace tw
