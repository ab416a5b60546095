#include "app/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace tw {
namespace {

constexpr std::size_t kChunk = 1 << 20;

}  // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
  const std::filesystem::path target(path_);
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  temporary_ = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  fd_ = mkstemp(temporary_.data());
  if (fd_ < 0) fail("cannot be created", errno);
  // mkstemp makes the file private; give it the mode a newly created file would have.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd_, 0666 & ~mask);
}

OutputFile::~OutputFile() {
  if (fd_ >= 0) {
    close(fd_);
    unlink(temporary_.c_str());
  }
}

void OutputFile::fail(const std::string& doing, int error) const {
  throw std::runtime_error("The file \"" + path_ + "\" " + doing + ": " + std::strerror(error));
}

void OutputFile::write(std::string_view bytes) {
  buffer_.append(bytes);
  if (buffer_.size() >= kChunk) flush();
}

void OutputFile::flush() {
  std::size_t done = 0;
  while (done < buffer_.size()) {
    const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail("cannot be written", errno);
    done += static_cast<std::size_t>(n);
  }
  buffer_.clear();
}

void OutputFile::commit() {
  flush();
  if (fsync(fd_) != 0) fail("cannot be written", errno);
  if (close(fd_) != 0) {
    fd_ = -1;
    unlink(temporary_.c_str());
    fail("cannot be written", errno);
  }
  fd_ = -1;
  if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
    const int error = errno;
    unlink(temporary_.c_str());
    fail("cannot be replaced", error);
  }
  const std::filesystem::path target(path_);
  const std::string folder = target.has_parent_path() ? target.parent_path().string() : ".";
  if (const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY); dir >= 0) {
    fsync(dir);
    close(dir);
  }
}

}  // namespace tw
