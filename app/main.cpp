#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/HugePageHeap.h"
#include "tracking/MainWindowLauncher.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (tw::CommandLine::namesCommand(args)) {
    tw::restartWithHugePageHeap(argv);
    std::ios::sync_with_stdio(false);
    tw::CommandLine commandLine(std::cin, std::cout, std::cerr);
    return commandLine.run(args);
  }
  std::vector<std::string> rest;
  try {
    rest = tw::CommandLine::windowArguments(args);
  } catch (const std::invalid_argument& e) {
    std::cerr << "tallyworks: " << e.what() << '\n';
    return tw::CommandLine::kUsage;
  }
  std::vector<char*> windowArgv{argv[0]};
  for (std::string& a : rest) windowArgv.push_back(a.data());
  int windowArgc = static_cast<int>(windowArgv.size());
  windowArgv.push_back(nullptr);
  return tw::runMainWindow(windowArgc, windowArgv.data());
}
