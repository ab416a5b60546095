#include "import/InputText.h"

#include <istream>

#include "import/ImportError.h"

namespace tw {

InputText::InputText(std::istream& in, std::string name) : in_(in), name_(std::move(name)) {}

void InputText::fail(const std::string& what) const {
  throw ImportError("line " + std::to_string(number_) + " of " + name_ + ": " + what);
}

bool InputText::next(std::string& line) {
  line.clear();
  std::streambuf* buffer = in_.rdbuf();
  bool any = false;
  for (;;) {
    const int c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof()) break;
    any = true;
    if (c == '\n') break;
    line += static_cast<char>(c);
    if (line.size() > kMostLine) {
      ++number_;
      fail("the line is longer than " + std::to_string(kMostLine / 1024) + " KiB");
    }
  }
  if (!any) {
    if (in_.bad()) throw ImportError("Reading " + name_ + " failed");
    return false;
  }
  ++number_;
  total_ += line.size() + 1;
  if (total_ > kMostBytes)
    fail("the input is longer than " + std::to_string(kMostBytes >> 30) + " GiB");
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

}  // namespace tw
