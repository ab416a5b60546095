#pragma once

#include <map>
#include <string>
#include <vector>

#include "sync/DnsResolver.h"

namespace tw::test {

// The DNS answers a test names, as a hosts file would: no name server is asked.
class FakeResolver : public DnsResolver {
 public:
  std::map<std::string, std::vector<Service>> srv;
  std::map<std::string, std::vector<std::string>> txt;
  // The names asked for, in order.
  std::vector<std::string> asked;

  std::vector<Service> services(const std::string& name) override {
    asked.push_back("SRV " + name);
    return srv.count(name) ? srv.at(name) : std::vector<Service>{};
  }
  std::vector<std::string> texts(const std::string& name) override {
    asked.push_back("TXT " + name);
    return txt.count(name) ? txt.at(name) : std::vector<std::string>{};
  }
};

}  // namespace tw::test
