#include "cli/CommandContext.h"

#include <sys/stat.h>

#include <cerrno>

#include "cli/TerminalText.h"
#include "cli/UsageError.h"
#include "core/StoreFiles.h"
#include "store/StoreLocation.h"

namespace tw {

CommandContext::CommandContext(std::istream& in, std::ostream& out, std::ostream& err,
                               bool outIsTerminal, const StoreOpener& stores, const Clock& clock)
    : in_(in),
      out_(out),
      err_(err),
      outIsTerminal_(outIsTerminal),
      stores_(stores),
      clock_(clock) {}

void CommandContext::warn(const std::string& text) {
  err_ << "tallyworks: warning: " << TerminalText::oneLine(text) << '\n';
  err_.flush();
}

Settings CommandContext::settings() {
  Settings settings = Settings::loadDefault();
  for (const std::string& c : settings.corrections()) warn(c);
  return settings;
}

const std::string& CommandContext::storePath() {
  if (storePath_.empty()) storePath_ = StoreLocation::defaultPath();
  return storePath_;
}

std::unique_ptr<JournalStore> CommandContext::open(StoreOpener::Access access) {
  return stores_.open(storePath(), access);
}

std::unique_ptr<JournalStore> CommandContext::openToRead() {
  struct stat st {};
  if (::stat(storePath().c_str(), &st) != 0 && errno == ENOENT) return nullptr;
  return open(StoreOpener::Access::ReadOnly);
}

TextOutput CommandContext::output(const std::string& target) {
  if (target.empty() || target == "-") return TextOutput(out_, outIsTerminal_);
  refuseStoreFile(target);
  return TextOutput(target);
}

void CommandContext::refuseStoreFile(const std::string& target) {
  if (StoreFiles(storePath()).includes(target)) {
    throw UsageError(TerminalText::quoted(target) +
                     " is the store itself or one of its files; choose another file");
  }
}

}  // namespace tw
