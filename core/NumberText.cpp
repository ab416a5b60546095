#include "core/NumberText.h"

#include <cmath>
#include <cstdio>

namespace tw {

std::string NumberText::general(double value) {
  if (value == 0 || std::isnan(value)) return "0";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15G", value);
  std::string text = buf;
  // %G writes exponents as E+016; the general form writes E+16.
  const std::size_t e = text.find('E');
  if (e != std::string::npos) {
    std::size_t digits = e + 2;
    while (digits + 1 < text.size() && text[digits] == '0') text.erase(digits, 1);
  }
  return text;
}

}  // namespace tw
