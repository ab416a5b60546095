#include "core/IniFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "core/ErrnoText.h"
#include "core/FileError.h"
#include "core/FormatError.h"

namespace tw {
namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

}  // namespace

IniFile IniFile::parse(std::string_view text, const std::string& fileName) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  IniFile ini;
  std::string section;
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = trimmed(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    ++number;
    const auto fail = [&](const std::string& why) {
      throw FormatError(fileName + ", line " + std::to_string(number) + ": " + why);
    };
    if (line.find('\0') != std::string_view::npos) fail("it holds a NUL byte");
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      if (line.back() != ']') fail("a section name ends with \"]\"");
      section = lower(trimmed(line.substr(1, line.size() - 2)));
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) fail("expected \"name = value\" or \"[section]\"");
    const std::string key = lower(trimmed(line.substr(0, equals)));
    if (key.empty()) fail("a setting needs a name before \"=\"");
    if (section.empty()) fail("the setting \"" + key + "\" comes before any [section]");
    auto [it, added] =
        ini.values_.insert_or_assign({section, key}, trimmed(line.substr(equals + 1)));
    if (!added) fail("\"" + key + "\" is set twice in [" + section + "]");
    ini.order_.emplace_back(section, key);
  }
  return ini;
}

std::optional<IniFile> IniFile::load(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return std::nullopt;
  if (error) throw FileError(path + " cannot be read: " + ErrnoText::of(error.value()));
  // A folder reads as empty, and a named pipe would keep the program waiting.
  if (status.type() != std::filesystem::file_type::regular)
    throw FileError(path + " cannot be read: it is not a file");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileError(path + " cannot be read: " + ErrnoText::of(errno));
  std::string text(kMostBytes + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad()) throw FileError(path + " cannot be read: " + ErrnoText::of(errno));
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (text.size() > kMostBytes)
    throw FileError(path + " is larger than " + std::to_string(kMostBytes >> 20) +
                    " MB, too large for a settings file");
  return parse(text, path);
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
  const auto it = values_.find({lower(section), lower(key)});
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
  std::vector<std::string> out;
  for (const auto& [s, k] : order_)
    if (s == lower(section)) out.push_back(k);
  return out;
}

std::string_view IniFile::trimmed(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool IniFile::sameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::tolower(x) == std::tolower(y);
  });
}

}  // namespace tw
