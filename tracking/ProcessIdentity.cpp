#include "tracking/ProcessIdentity.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace tw {
namespace {

// Fields 3 and 22 of /proc/<pid>/stat: the state letter and the start time.
struct ProcessStat {
  char state = 0;
  std::int64_t startTime = 0;
};

// Nothing (start time 0) when the process does not exist.
ProcessStat statOf(std::int64_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(in, line)) return {};
  // The command name in parentheses may hold blanks; the fields after it do not.
  const std::size_t close = line.rfind(')');
  if (close == std::string::npos) return {};
  std::istringstream fields(line.substr(close + 2));
  ProcessStat stat;
  std::string field;
  for (int i = 3; i <= 22 && fields >> field; ++i) {
    if (i == 3) stat.state = field[0];
    if (i == 22) stat.startTime = std::stoll(field);
  }
  return stat;
}

}  // namespace

ProcessIdentity ProcessIdentity::self() {
  const std::int64_t pid = getpid();
  return {pid, statOf(pid).startTime};
}

// A zombie (Z) or a process being torn down (X) has ended: only its parent has not yet
// collected its exit status.
bool ProcessIdentity::alive() const {
  if (pid == 0) return false;
  const ProcessStat stat = statOf(pid);
  return stat.startTime == startTime && stat.state != 'Z' && stat.state != 'X';
}

}  // namespace tw
