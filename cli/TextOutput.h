#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "core/FileWriter.h"

namespace tw {

// Where a command's text goes: standard output or a file written whole or not at all (a pipe or a
// device written into: FileWriter). Every
// write to standard output is checked, so a full disk or a closed pipe makes the command fail
// instead of leaving a cut-off text behind a success; on a terminal, control characters are
// shown escaped (TerminalText). Each write should be whole lines.
class TextOutput {
 public:
  // Standard output; terminal tells whether it shows on a terminal.
  TextOutput(std::ostream& out, bool terminal);
  // A file.
  explicit TextOutput(const std::string& file);

  void write(std::string_view text);
  // Flushes standard output, or commits the file. Throws FileError when writing failed.
  void finish();

 private:
  void checkStream();

  std::ostream* out_ = nullptr;
  bool terminal_ = false;
  std::unique_ptr<FileWriter> file_;
};

}  // namespace tw
