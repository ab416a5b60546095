#include "cli/TextArgument.h"

#include <string>

#include "cli/TerminalText.h"
#include "cli/UsageError.h"
#include "core/EntryRules.h"

namespace tw {
namespace {

void check(std::string_view argument, std::string_view text, EntryRules::Text kind) {
  const std::string why = EntryRules::whyInvalidText(argument, text, kind);
  if (!why.empty()) throw UsageError(why + (text.empty() ? "" : ": " + TerminalText::quoted(text)));
}

}  // namespace

void TextArgument::name(std::string_view argument, std::string_view text) {
  check(argument, text, EntryRules::Text::Name);
}

void TextArgument::line(std::string_view argument, std::string_view text) {
  check(argument, text, EntryRules::Text::Line);
}

void TextArgument::notes(std::string_view argument, std::string_view text) {
  check(argument, text, EntryRules::Text::Notes);
}

}  // namespace tw
