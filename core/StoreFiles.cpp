#include "core/StoreFiles.h"

#include <sys/stat.h>

#include <filesystem>

namespace tw {
namespace {

bool samePlace(const std::string& a, const std::string& b) {
  std::error_code ea, eb;
  const auto pa = std::filesystem::weakly_canonical(std::filesystem::absolute(a, ea), ea);
  const auto pb = std::filesystem::weakly_canonical(std::filesystem::absolute(b, eb), eb);
  return !ea && !eb && pa == pb;
}

}  // namespace

bool StoreFiles::sameFile(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

bool StoreFiles::includes(const std::string& path) const {
  for (const char* suffix : {"", "-wal", "-shm"}) {
    const std::string file = store_ + suffix;
    if (sameFile(path, file) || samePlace(path, file)) return true;
  }
  return false;
}

}  // namespace tw
