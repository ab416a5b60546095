#include "sync/Categories.h"

#include <vector>

#include "sync/IcalObject.h"

namespace tw {
namespace {

constexpr const char* kExact = "X-TALLYWORKS-CATEGORIES";
constexpr std::string_view kSeparator = ", ";

// The letters of a categories text without the separators, to compare two spellings.
std::string letters(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != ',' && c != ' ' && c != '\\') out += c;
  return out;
}

}  // namespace

std::string Categories::read(icalcomponent* c) {
  std::string joined;
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_CATEGORIES_PROPERTY); p;
       p = icalcomponent_get_next_property(c, ICAL_CATEGORIES_PROPERTY)) {
    const char* value = icalproperty_get_categories(p);
    if (!value || !*value) continue;
    if (!joined.empty()) joined += kSeparator;
    joined += value;
  }
  const std::vector<std::string> exact = IcalObject::xValues(c, kExact);
  if (!exact.empty() && letters(exact.front()) == letters(joined)) return exact.front();
  return joined;
}

void Categories::write(const std::string& categories, icalcomponent* c) {
  IcalObject::removeAll(c, ICAL_CATEGORIES_PROPERTY);
  IcalObject::setX(c, kExact, {});
  if (categories.empty()) return;
  std::string_view rest = categories;
  for (;;) {
    const std::size_t at = rest.find(kSeparator);
    const std::string one(rest.substr(0, at));
    if (!one.empty()) icalcomponent_add_property(c, icalproperty_new_categories(one.c_str()));
    if (at == std::string_view::npos) break;
    rest.remove_prefix(at + kSeparator.size());
  }
  IcalObject::setX(c, kExact, {categories});
}

}  // namespace tw
