#include "store/sqlite/DamageMark.h"

#include <unistd.h>

#include <fstream>

#include "core/FileError.h"
#include "core/FileWriter.h"

namespace tw {
namespace {

constexpr const char* kHeading = "Tallyworks: this store file was found damaged";
constexpr std::streamsize kMostBytes = 4096;

}  // namespace

std::string DamageMark::found(dev_t device, ino_t inode) const {
  std::ifstream in(mark_);
  if (!in) return {};
  std::string heading, what;
  unsigned long long markedDevice = 0, markedInode = 0;
  std::getline(in, heading);
  in >> markedDevice >> markedInode;
  in.ignore(1);
  std::getline(in, what);
  if (heading != kHeading || markedDevice != device || markedInode != inode) {
    clear();
    return {};
  }
  what.resize(std::min<std::size_t>(what.size(), kMostBytes));
  return what.empty() ? "damage was found" : what;
}

std::string DamageMark::record(dev_t device, ino_t inode, const std::string& what) const {
  try {
    FileWriter::writeWhole(mark_,
                           std::string(kHeading) + '\n' + std::to_string(device) + ' ' +
                               std::to_string(inode) + '\n' + what + '\n',
                           FileWriter::Targets::Files);
  } catch (const FileError& e) {
    return e.what();
  }
  return {};
}

void DamageMark::clear() const {
  ::unlink(mark_.c_str());
}

}  // namespace tw
