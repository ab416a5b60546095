#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

namespace tw {

// The text of a file of another program, read line by line with bounds: a line longer than
// kMostLine or a file longer than kMostBytes is refused as soon as the bound is passed, before
// the rest is read. Failures throw ImportError naming the file and the line.
class InputText {
 public:
  static constexpr std::size_t kMostLine = 1024 * 1024;
  static constexpr std::size_t kMostBytes = std::size_t{1} << 30;

  // name: how messages call the input ("the file \"x.json\"", "standard input").
  InputText(std::istream& in, std::string name);

  // The next line without its line end ("\n" or "\r\n"); false at the end.
  bool next(std::string& line);
  // The number of the line next() gave last, from 1.
  long number() const { return number_; }
  const std::string& name() const { return name_; }
  // "line N: what" as an ImportError.
  [[noreturn]] void fail(const std::string& what) const;

 private:
  std::istream& in_;
  std::string name_;
  long number_ = 0;
  std::size_t total_ = 0;
};

}  // namespace tw
