#include "cli/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "cli/TerminalText.h"

namespace tw {
namespace {

constexpr std::size_t kChunk = 1 << 20;

std::string folderOf(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  return parent.empty() ? "." : parent.string();
}

void syncFolder(const std::string& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;  // the file is written; only its durability across a crash is weaker
  ::fsync(dir);
  ::close(dir);
}

}  // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
  struct stat st {};
  if (::stat(path_.c_str(), &st) != 0) {
    // mkstemp makes the file private; give it the mode a newly created file would have.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    openTemporary(0666 & ~mask);
    return;
  }
  if (S_ISDIR(st.st_mode)) fail("cannot be written", EISDIR);
  if (!S_ISREG(st.st_mode)) {
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd_ < 0) fail("cannot be opened", errno);
    return;
  }
  // Replace the file a link points to, not the link.
  std::error_code ec;
  const std::filesystem::path real = std::filesystem::canonical(path_, ec);
  if (!ec) path_ = real.string();
  openTemporary(st.st_mode & 07777);
}

void OutputFile::openTemporary(unsigned mode) {
  temporary_ = folderOf(path_) + "/.tw-XXXXXX";
  fd_ = ::mkstemp(temporary_.data());
  if (fd_ < 0) fail("cannot be created", errno);
  if (::fchmod(fd_, static_cast<mode_t>(mode)) != 0) fail("cannot be created", errno);
}

OutputFile::~OutputFile() {
  if (fd_ < 0) return;
  ::close(fd_);
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void OutputFile::fail(const std::string& doing, int error) const {
  throw std::runtime_error("The file " + TerminalText::quoted(path_) + " " + doing + ": " +
                           std::strerror(error));
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

void OutputFile::closeFile() {
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) {
    const int error = errno;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    fail("cannot be written", error);
  }
}

void OutputFile::commit() {
  flush();
  if (temporary_.empty()) {
    closeFile();
    return;
  }
  if (::fsync(fd_) != 0) fail("cannot be written", errno);
  closeFile();
  if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary_.c_str());
    fail("cannot be replaced", error);
  }
  syncFolder(folderOf(path_));
}

}  // namespace tw
