#include "cli/TextOutput.h"

#include <cerrno>
#include <cstring>
#include <ostream>

#include "cli/TerminalText.h"
#include "core/FileError.h"

namespace tw {

TextOutput::TextOutput(std::ostream& out, bool terminal) : out_(&out), terminal_(terminal) {}

TextOutput::TextOutput(const std::string& file)
    : file_(std::make_unique<FileWriter>(file, FileWriter::Targets::FilesAndStreams)) {}

void TextOutput::write(std::string_view text) {
  if (file_) {
    file_->write(text);
    return;
  }
  errno = 0;
  if (terminal_) {
    const std::string shown = TerminalText::escaped(text);
    out_->write(shown.data(), static_cast<std::streamsize>(shown.size()));
  } else {
    out_->write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  checkStream();
}

void TextOutput::finish() {
  if (file_) {
    file_->commit();
    return;
  }
  errno = 0;
  out_->flush();
  checkStream();
}

void TextOutput::checkStream() {
  if (*out_) return;
  const int error = errno;
  throw FileError(std::string("Standard output cannot be written") +
                  (error != 0 ? std::string(" (") + std::strerror(error) + ")" : "") +
                  "; the output is incomplete.");
}

}  // namespace tw
