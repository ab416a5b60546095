#include "core/EntryRules.h"

#include <unicode/utf8.h>

#include "core/DateText.h"
#include "core/DateTime.h"

namespace tw {
namespace {

// 1234567 -> "1,234,567".
std::string grouped(std::int64_t n) {
  const std::string digits =
      std::to_string(n < 0 ? -(n + 1) + 1ULL : static_cast<std::uint64_t>(n));
  std::string out = n < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

bool isControl(UChar32 c, EntryRules::Text kind) {
  const bool lineBreakOrTab = c == '\t' || c == '\n' || c == '\r';
  if (kind == EntryRules::Text::Notes && lineBreakOrTab) return false;
  return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// What the characters of text break: "" when nothing.
std::string whyBadCharacters(std::string_view label, std::string_view text, EntryRules::Text kind) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int32_t>(text.size());
  for (std::int32_t i = 0; i < length;) {
    UChar32 c = 0;
    U8_NEXT(bytes, i, length, c);
    if (c < 0) return std::string(label) + " must be valid UTF-8 text";
    if (isControl(c, kind))
      return std::string(label) +
             (kind == EntryRules::Text::Notes
                  ? " must not hold a control character other than a tab or a line break"
                  : " must not hold a control character (such as a tab or a line break)");
  }
  return {};
}

bool blank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// Where a local reading lies outside the dates a DateTime holds: "" when inside.
std::string whyOutOfRange(const char* which, std::int64_t localSeconds) {
  if (localSeconds >= DateTime::minSeconds() && localSeconds <= DateTime::maxSeconds()) return {};
  return std::string("the ") + which + ", " + DateText::isoOfAny(localSeconds) +
         ", lies outside the dates Tallyworks can show (1/1/0100 to 12/31/9999)";
}

std::string whyBadTime(const JournalEntry& e) {
  if (e.utcOffset < -EntryRules::kMostOffset || e.utcOffset > EntryRules::kMostOffset)
    return "the UTC offset, " + grouped(e.utcOffset) + " seconds, is more than 18 hours";
  if (e.seconds < 0) return "the end lies before the start";
  if (e.seconds > EntryRules::kMostSeconds)
    return "the length, " + grouped(e.seconds / 60) + " minutes, is more than " +
           grouped(EntryRules::kMostMinutes) + " minutes";
  const std::int64_t start = e.start.localSeconds(e.utcOffset);
  std::string why = whyOutOfRange("start", start);
  if (why.empty() && start <= DateTime::maxSeconds() - e.seconds) return {};
  return why.empty() ? whyOutOfRange("end", start + e.seconds) : why;
}

}  // namespace

std::string EntryRules::whyInvalidText(std::string_view label, std::string_view text, Text kind) {
  if (kind == Text::Name && blank(text)) return std::string(label) + " must not be empty";
  const std::size_t most = kind == Text::Notes ? kMostNotesBytes : kMostLineBytes;
  if (text.size() > most)
    return std::string(label) + " must not be longer than " +
           grouped(static_cast<std::int64_t>(most)) + " bytes";
  return whyBadCharacters(label, text, kind);
}

std::string EntryRules::whyInvalid(const JournalEntry& e) {
  const std::pair<const char*, const std::string*> lines[] = {{"the categories", &e.categories},
                                                              {"the type", &e.type},
                                                              {"the companies", &e.companies},
                                                              {"the uid", &e.uid},
                                                              {"the task uid", &e.taskUid}};
  std::string why = whyInvalidText("the subject", e.subject, Text::Name);
  for (const auto& [label, text] : lines)
    if (why.empty()) why = whyInvalidText(label, *text, Text::Line);
  if (why.empty()) why = whyInvalidText("the notes", e.body, Text::Notes);
  return why.empty() ? whyBadTime(e) : why;
}

std::string EntryRules::whyInvalidTask(std::string_view subject, std::string_view categories) {
  if (subject == kRefreshItem || subject == kEditTasksItem)
    return "the subject must not be \"" + std::string(subject) +
           "\", the name of an entry of the main window's task list";
  std::string why = whyInvalidText("the subject", subject, Text::Name);
  return why.empty() ? whyInvalidText("the categories", categories, Text::Line) : why;
}

}  // namespace tw
