#include "tracking/ProcessIdentity.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace tw {
namespace {

// Field 22 of /proc/<pid>/stat: the start time; 0 when the process does not exist.
std::int64_t startTimeOf(std::int64_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(in, line)) return 0;
  // The command name in parentheses may hold blanks; the fields after it do not.
  const std::size_t close = line.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream fields(line.substr(close + 2));
  std::string field;
  for (int i = 3; i <= 22 && fields >> field; ++i) {
    if (i == 22) return std::stoll(field);
  }
  return 0;
}

}  // namespace

ProcessIdentity ProcessIdentity::self() {
  const std::int64_t pid = getpid();
  return {pid, startTimeOf(pid)};
}

bool ProcessIdentity::alive() const {
  return pid != 0 && startTimeOf(pid) == startTime;
}

}  // namespace tw
