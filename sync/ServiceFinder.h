#pragma once

#include <string>
#include <vector>

#include "sync/DavClient.h"

namespace tw {

class DnsResolver;
class HttpClient;

// Finds a calendar account from what a person knows of it (RFC 6764): a full address is asked
// as it is; a host name, or the domain of an e-mail address, is looked up as the SRV records
// _caldavs._tcp (HTTPS), else _caldav._tcp (plain HTTP, only when the domain names no HTTPS),
// with the path of their TXT record "path=", and else as https://DOMAIN/.well-known/caldav.
// From the first address that answers, the principal leads to the calendar home and its
// calendars.
class ServiceFinder {
 public:
  struct Found {
    // The address that answered.
    std::string url;
    // The calendar home it led to: the account's url.
    std::string home;
    std::vector<DavClient::Calendar> calendars;
  };

  ServiceFinder(DnsResolver& dns, HttpClient& http) : dns_(dns), http_(http) {}

  // Throws AuthError when the server refused the user name or password, SyncError saying in
  // plain words what was tried when nothing answered.
  Found find(const std::string& address);
  // The addresses find() tries for what was typed, in order. Throws SyncError when it is no
  // address, host name or e-mail address.
  std::vector<std::string> candidates(const std::string& address);

 private:
  void addServices(const std::string& domain, const std::string& scheme,
                   std::vector<std::string>& out);

  DnsResolver& dns_;
  HttpClient& http_;
};

}  // namespace tw
