#include "app/HugePageHeap.h"

#include <unistd.h>

#include <cstdlib>

namespace tw {

void restartWithHugePageHeap(char** argv) {
  if (std::getenv("GLIBC_TUNABLES") != nullptr) return;
  if (setenv("GLIBC_TUNABLES", "glibc.malloc.hugetlb=1", 1) != 0) return;
  execv("/proc/self/exe", argv);
  // Not restarted: carry on with the ordinary heap, and leave the environment as it was.
  unsetenv("GLIBC_TUNABLES");
}

}  // namespace tw
