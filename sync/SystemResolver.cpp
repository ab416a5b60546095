#include "sync/SystemResolver.h"

#include <arpa/nameser.h>
#include <netinet/in.h>
#include <resolv.h>

#include <algorithm>
#include <array>
#include <cstddef>

namespace tw {
namespace {

// A DNS answer over UDP or TCP fits: longer ones are cut by res_query and left unread.
constexpr int kAnswerBytes = 16 * 1024;

struct Answer {
  ns_msg message{};
  int records = 0;
};

// The answer's records, or none when it cannot be read.
bool parsed(const unsigned char* bytes, int length, Answer& a) {
  if (length <= 0 || ns_initparse(bytes, length, &a.message) != 0) return false;
  a.records = std::min<int>(ns_msg_count(a.message, ns_s_an), DnsResolver::kMaxRecords);
  return true;
}

// The answer's bytes to a query of name for records of type (empty when the look-up failed).
std::vector<unsigned char> query(const std::string& name, int type) {
  std::vector<unsigned char> bytes(kAnswerBytes);
  const int length =
      res_query(name.c_str(), ns_c_in, type, bytes.data(), static_cast<int>(bytes.size()));
  bytes.resize(length > 0 && length <= kAnswerBytes ? static_cast<std::size_t>(length) : 0);
  return bytes;
}

}  // namespace

std::vector<DnsResolver::Service> SystemResolver::services(const std::string& name) {
  const std::vector<unsigned char> answer = query(name, ns_t_srv);
  return servicesIn(answer.data(), static_cast<int>(answer.size()));
}

std::vector<std::string> SystemResolver::texts(const std::string& name) {
  const std::vector<unsigned char> answer = query(name, ns_t_txt);
  return textsIn(answer.data(), static_cast<int>(answer.size()));
}

std::vector<DnsResolver::Service> SystemResolver::servicesIn(const unsigned char* answer,
                                                             int length) {
  Answer a;
  std::vector<Service> out;
  if (!parsed(answer, length, a)) return out;
  for (int i = 0; i < a.records; ++i) {
    ns_rr rr{};
    if (ns_parserr(&a.message, ns_s_an, i, &rr) != 0 || ns_rr_type(rr) != ns_t_srv ||
        ns_rr_rdlen(rr) < 7)
      continue;
    const unsigned char* data = ns_rr_rdata(rr);
    Service s;
    s.priority = static_cast<int>(ns_get16(data));
    s.weight = static_cast<int>(ns_get16(data + 2));
    s.port = static_cast<int>(ns_get16(data + 4));
    char target[NS_MAXDNAME];
    if (dn_expand(ns_msg_base(a.message), ns_msg_end(a.message), data + 6, target, sizeof target) <
        0)
      continue;
    s.host = target;
    if (s.port > 0 && isHostName(s.host)) out.push_back(std::move(s));
  }
  std::stable_sort(out.begin(), out.end(), [](const Service& x, const Service& y) {
    return x.priority != y.priority ? x.priority < y.priority : x.weight > y.weight;
  });
  return out;
}

std::vector<std::string> SystemResolver::textsIn(const unsigned char* answer, int length) {
  Answer a;
  std::vector<std::string> out;
  if (!parsed(answer, length, a)) return out;
  for (int i = 0; i < a.records; ++i) {
    ns_rr rr{};
    if (ns_parserr(&a.message, ns_s_an, i, &rr) != 0 || ns_rr_type(rr) != ns_t_txt) continue;
    const unsigned char* data = ns_rr_rdata(rr);
    const unsigned char* end = data + ns_rr_rdlen(rr);
    // Character-strings: a length byte, then that many bytes.
    while (data < end && data + 1 + *data <= end && out.size() < kMaxRecords) {
      out.emplace_back(reinterpret_cast<const char*>(data + 1), *data);
      data += 1 + *data;
    }
  }
  return out;
}

}  // namespace tw
