#include "core/FileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include "core/ErrnoText.h"
#include "core/FileError.h"
#include "core/ProtectedFiles.h"

namespace tw {
namespace {

constexpr std::size_t kChunk = 1 << 20;
constexpr int kMostLinks = 40;

std::string folderOf(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  return parent.empty() ? "." : parent.string();
}

bool startsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

// True when the path, or a link on the way from it, names one of the process's descriptors.
bool leadsToDescriptor(std::string path) {
  for (int hop = 0; hop < kMostLinks; ++hop) {
    if (startsWith(path, "/proc/") || startsWith(path, "/dev/fd/")) return true;
    std::error_code ec;
    const std::filesystem::path next = std::filesystem::read_symlink(path, ec);
    if (ec) return false;
    path = next.is_absolute() ? next.string()
                              : (std::filesystem::path(folderOf(path)) / next).string();
  }
  return false;
}

const char* kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISBLK(mode)) return "a disk (a block device)";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISFIFO(mode)) return "a pipe (FIFO)";
  if (S_ISCHR(mode)) return "a device";
  return "one of this program's descriptors";
}

std::string randomLetters() {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937_64 random{std::random_device{}()};
  std::string out(12, ' ');
  for (char& c : out) c = kLetters[random() % (sizeof kLetters - 1)];
  return out;
}

std::string folderCause(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "its folder may not be written to (permission denied)";
    case ENOENT:
      return "its folder does not exist";
    default:
      return ErrnoText::of(error);
  }
}

}  // namespace

FileWriter::FileWriter(std::string path, Targets targets) : path_(std::move(path)) {
  if (path_.empty()) fail("no file was named");
  refuseStoreFiles();
  struct stat link {};
  if (::lstat(path_.c_str(), &link) != 0) {
    if (errno != ENOENT) fail(ErrnoText::of(errno));
    target_ = path_;
    openTemporary(0666, false);
    return;
  }
  struct stat st = link;
  const bool isLink = S_ISLNK(link.st_mode);
  if (isLink && ::stat(path_.c_str(), &st) != 0)
    fail(errno == ENOENT ? "it is a link to a file that does not exist" : ErrnoText::of(errno));
  const bool descriptor = isLink && leadsToDescriptor(path_);
  if (S_ISREG(st.st_mode) && !descriptor) {
    std::error_code ec;
    target_ = isLink ? std::filesystem::canonical(path_, ec).string() : path_;
    if (ec) fail(ErrnoText::of(ec.value()));
    if (::access(target_.c_str(), W_OK) != 0) fail(ErrnoText::of(errno));
    openTemporary(st.st_mode & 07777, true);
    return;
  }
  const std::string kind = kindOf(descriptor ? S_IFLNK : st.st_mode);
  const bool stream = S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode) || descriptor;
  if (!stream || targets == Targets::Files) fail("it is " + kind + ", not a file");
  openStream();
}

FileWriter::~FileWriter() {
  discard();
}

void FileWriter::discard() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

void FileWriter::fail(const std::string& cause) {
  discard();
  throw FileError("The file \"" + path_ + "\" cannot be written: " + cause + ".");
}

void FileWriter::refuseStoreFiles() {
  if (!ProtectedFiles::storeIncluding(path_).empty())
    fail("it is the store itself or one of its files; choose another file");
}

// A new file takes the mode the user's umask gives; a replaced one keeps its own.
void FileWriter::openTemporary(unsigned mode, bool replacing) {
  const std::string folder = folderOf(target_);
  for (int attempt = 0; fd_ < 0; ++attempt) {
    temporary_ = folder + "/.tw-" + randomLetters();
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                 replacing ? 0600 : static_cast<mode_t>(mode));
    if (fd_ < 0 && (errno != EEXIST || attempt > 100)) {
      const int error = errno;
      temporary_.clear();
      fail(folderCause(error));
    }
  }
  if (replacing && ::fchmod(fd_, static_cast<mode_t>(mode)) != 0) fail(ErrnoText::of(errno));
}

void FileWriter::openStream() {
  fd_ = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_NOCTTY | O_CLOEXEC);
  if (fd_ < 0) fail(ErrnoText::of(errno));
}

void FileWriter::write(std::string_view bytes) {
  buffer_.append(bytes);
  if (buffer_.size() >= kChunk) flush();
}

void FileWriter::flush() {
  std::size_t done = 0;
  while (done < buffer_.size()) {
    const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail(ErrnoText::of(errno));
    done += static_cast<std::size_t>(n);
  }
  buffer_.clear();
}

void FileWriter::closeFile() {
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) fail(ErrnoText::of(errno));
}

void FileWriter::commit() {
  flush();
  if (temporary_.empty()) {
    closeFile();
    return;
  }
  if (::fsync(fd_) != 0) fail(ErrnoText::of(errno));
  closeFile();
  // The store may have been opened since, by the command that writes this file.
  refuseStoreFiles();
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) fail(ErrnoText::of(errno));
  temporary_.clear();
  syncFolder();
}

// The rename lasts across a power cut only once the folder is on disk too.
void FileWriter::syncFolder() {
  fd_ = ::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0 || (::fsync(fd_) != 0 && errno != EINVAL))
    fail("it was written, but its folder could not be synchronised to disk (" +
         ErrnoText::of(errno) + ")");
  closeFile();
}

void FileWriter::writeWhole(const std::string& path, std::string_view bytes, Targets targets) {
  FileWriter file(path, targets);
  file.write(bytes);
  file.commit();
}

}  // namespace tw
