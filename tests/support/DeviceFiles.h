#pragma once

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <string>

#include "tests/support/TempFolder.h"

namespace tw::test {

// The null and the full device for tests that write to them. As root these are nodes of the
// test's own in its folder (the same devices), so that a writer that wrongly replaced a device
// would replace only those, never the machine's /dev/null; another user cannot replace /dev's.
class DeviceFiles {
 public:
  explicit DeviceFiles(const TempFolder& folder)
      : null_(node(folder.file("null"), 3, "/dev/null")),
        full_(node(folder.file("full"), 7, "/dev/full")) {}

  const std::string& null() const { return null_; }
  const std::string& full() const { return full_; }

 private:
  static std::string node(const std::string& path, unsigned minor, const char* otherwise) {
    if (::geteuid() != 0 || ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) != 0)
      return otherwise;
    return path;
  }

  std::string null_;
  std::string full_;
};

}  // namespace tw::test
