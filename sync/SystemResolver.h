#pragma once

#include "sync/DnsResolver.h"

namespace tw {

// The system's name servers, through libresolv (res_query): /etc/resolv.conf as every program
// uses it.
class SystemResolver : public DnsResolver {
 public:
  std::vector<Service> services(const std::string& name) override;
  std::vector<std::string> texts(const std::string& name) override;
};

}  // namespace tw
