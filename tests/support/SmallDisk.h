#pragma once

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>

#include "tests/support/TempFolder.h"

namespace tw::test {

// A small file system of its own (tmpfs) that a test can fill up, mounted on a temporary
// folder. Mounting needs the superuser (CI runs as root); where it cannot be mounted,
// mounted() is false and unavailable() says why.
class SmallDisk {
 public:
  explicit SmallDisk(int kibibytes) {
    if (geteuid() != 0) {
      why_ = "mounting a small tmpfs needs root";
      return;
    }
    const std::string options = "size=" + std::to_string(kibibytes) + "k,mode=0700";
    if (::mount("tmpfs", folder_.path().c_str(), "tmpfs", 0, options.c_str()) != 0) {
      why_ = std::string("a tmpfs cannot be mounted here: ") + std::strerror(errno);
      return;
    }
    mounted_ = true;
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(folder_.path().c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return mounted_; }
  const std::string& unavailable() const { return why_; }
  std::string file(const std::string& name) const { return folder_.file(name); }

  // Fills what is left with a file of its own, until the disk is full.
  void fill() {
    std::ofstream filler(file("filler"), std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) &&
           filler.flush()) {
    }
  }
  // Gives the space back.
  void empty() { ::unlink(file("filler").c_str()); }

 private:
  TempFolder folder_;
  bool mounted_ = false;
  std::string why_;
};

}  // namespace tw::test
