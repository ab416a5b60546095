#pragma once

namespace tw {

// The commands read and write whole journals: a report over a million entries touches some
// 400 MB of fresh heap, and first-touch page faults then cost as much as the work itself.
// glibc backs its heap with huge pages when the tunable glibc.malloc.hugetlb=1 is set at
// start, so this re-runs the program once with it. It returns (and the program goes on as
// it is) when GLIBC_TUNABLES is already set or the re-run cannot be started.
void restartWithHugePageHeap(char** argv);

}  // namespace tw
