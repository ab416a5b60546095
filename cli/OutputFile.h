#pragma once

#include <string>
#include <string_view>

namespace tw {

// A file written whole or not at all: the bytes go to a temporary file in the same folder,
// which commit flushes to disk and renames over the target. Without commit the target is
// untouched and the temporary file removed.
class OutputFile {
 public:
  // Throws std::runtime_error naming the file when the temporary file cannot be made.
  explicit OutputFile(std::string path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void write(std::string_view bytes);
  void commit();

 private:
  void flush();
  [[noreturn]] void fail(const std::string& doing, int error) const;

  std::string path_;
  std::string temporary_;
  std::string buffer_;
  int fd_ = -1;
};

}  // namespace tw
