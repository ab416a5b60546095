#pragma once

#include <string>
#include <string_view>

namespace tw {

// A file written whole or not at all: the bytes go to a temporary file (".tw-XXXXXX") in the
// target's folder, which commit flushes to disk and renames over the target. A target that
// exists keeps its permission bits; a link to a file keeps pointing to it, and that file is
// replaced. Without commit the target is untouched and the temporary file removed. A target
// that exists and is no regular file (a device, a pipe) is written straight.
class OutputFile {
 public:
  // Throws std::runtime_error naming the file when it cannot be written.
  explicit OutputFile(std::string path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void write(std::string_view bytes);
  void commit();

 private:
  // Opens the temporary file with these permission bits.
  void openTemporary(unsigned mode);
  void flush();
  void closeFile();
  [[noreturn]] void fail(const std::string& doing, int error) const;

  std::string path_;
  // Empty when writing straight to the target.
  std::string temporary_;
  std::string buffer_;
  int fd_ = -1;
};

}  // namespace tw
