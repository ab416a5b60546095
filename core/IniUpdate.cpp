#include "core/IniUpdate.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/FileError.h"
#include "core/FileWriter.h"
#include "core/FormatError.h"
#include "core/IniFile.h"

namespace tw {
namespace {

std::vector<std::string> linesOf(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return lines;
}

// The section a "[name]" line opens, or nothing for another line.
std::optional<std::string_view> sectionOf(std::string_view line) {
  line = IniFile::trimmed(line);
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
  return IniFile::trimmed(line.substr(1, line.size() - 2));
}

bool isSetting(std::string_view line, std::string_view key) {
  line = IniFile::trimmed(line);
  const std::size_t equals = line.find('=');
  return equals != std::string_view::npos && line.front() != ';' && line.front() != '#' &&
         IniFile::sameName(IniFile::trimmed(line.substr(0, equals)), key);
}

void checkValue(const IniUpdate::Change& c) {
  const std::string where = "[" + c.section + "] " + c.key;
  if (c.section.empty() || c.key.empty() || c.key.find_first_of("=[;#\n\r") != std::string::npos ||
      c.section.find_first_of("]\n\r") != std::string::npos)
    throw FormatError("\"" + where + "\" is no name a settings file can hold");
  if (!c.value) return;
  if (c.value->find_first_of(std::string_view("\n\r\0", 3)) != std::string::npos)
    throw FormatError(where + ": a value is one line without NUL bytes");
  if (*c.value != IniFile::trimmed(*c.value))
    throw FormatError(where + ": a value cannot begin or end with blanks");
}

void applyOne(std::vector<std::string>& lines, const IniUpdate::Change& c) {
  checkValue(c);
  const std::string line = c.key + " = " + c.value.value_or("");
  bool inside = false;
  std::optional<std::size_t> end;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const auto section = sectionOf(lines[i])) {
      inside = IniFile::sameName(*section, c.section);
      if (inside) end = i + 1;
      continue;
    }
    if (!inside) continue;
    if (isSetting(lines[i], c.key)) {
      if (c.value)
        lines[i] = line;
      else
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
      return;
    }
    if (!IniFile::trimmed(lines[i]).empty()) end = i + 1;
  }
  if (!c.value) return;
  if (end) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*end), line);
    return;
  }
  if (!lines.empty() && !IniFile::trimmed(lines.back()).empty()) lines.emplace_back();
  lines.push_back("[" + c.section + "]");
  lines.push_back(line);
}

}  // namespace

std::string IniUpdate::apply(std::string_view text, const std::vector<Change>& changes) {
  IniFile::parse(text, "the settings");
  std::vector<std::string> lines = linesOf(text);
  for (const Change& c : changes) applyOne(lines, c);
  std::string out;
  for (const std::string& l : lines) out += l + '\n';
  IniFile::parse(out, "the settings");
  return out;
}

void IniUpdate::write(const std::string& path, const std::vector<Change>& changes) {
  std::string text;
  if (IniFile::load(path)) {
    std::ifstream in(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) throw FileError(path + " cannot be read");
  }
  const std::string updated = apply(text, changes);
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  if (error) throw FileError(path + " cannot be written: " + error.message());
  // A new file is private from its first byte: the writer keeps the mode of the file it replaces.
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd >= 0) close(fd);
  FileWriter::writeWhole(path, updated, FileWriter::Targets::Files);
}

}  // namespace tw
