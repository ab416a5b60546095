#pragma once

namespace tw {

// Creates the Qt application and the main window on the default store and runs the event
// loop until the last window closes. Returns the process exit code.
int runMainWindow(int argc, char** argv);

}  // namespace tw
