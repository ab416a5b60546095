#include "sync/ServerText.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace tw {
namespace {

// The part of an error answer that is read: its description comes first.
constexpr std::size_t kReadBytes = 64 * 1024;

// The length of the UTF-8 character starting at text[at]; 0 when none starts there.
std::size_t characterLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char first = byte(at);
  if (first < 0x80) return 1;
  // The length a lead byte announces, and the smallest code point of that length.
  const std::size_t n = (first & 0xE0) == 0xC0   ? 2
                        : (first & 0xF0) == 0xE0 ? 3
                        : (first & 0xF8) == 0xF0 ? 4
                                                 : 0;
  if (n == 0) return 0;
  const std::uint32_t lowest = n == 2 ? 0x80 : n == 3 ? 0x800 : 0x10000;
  if (at + n > text.size()) return 0;
  std::uint32_t code = first & (0x7F >> n);
  for (std::size_t i = 1; i < n; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  // C1 control characters are no text either.
  if (code >= 0x80 && code <= 0x9F) return 0;
  return n;
}

std::string localName(const char* name) {
  const std::string_view full = name;
  const std::size_t colon = full.find(':');
  return std::string(colon == std::string_view::npos ? full : full.substr(colon + 1));
}

bool isDavError(const pugi::xml_document& doc) {
  return localName(doc.document_element().name()) == "error";
}

bool load(pugi::xml_document& doc, std::string_view body) {
  body = body.substr(0, kReadBytes);
  return doc.load_buffer(body.data(), body.size()) && isDavError(doc);
}

std::string tagsRemoved(std::string_view html) {
  const auto find = [&](std::string_view what) {
    const auto it = std::search(html.begin(), html.end(), what.begin(), what.end(),
                                [](char a, char b) { return std::tolower(a) == b; });
    return static_cast<std::size_t>(it - html.begin());
  };
  const std::size_t body = find("<body");
  if (body < html.size()) html.remove_prefix(body);
  const std::size_t address = find("<address");
  html = html.substr(0, address);
  std::string out;
  bool inTag = false;
  for (char c : html) {
    if (c == '<') inTag = true;
    if (!inTag) out += c;
    if (c == '>') {
      inTag = false;
      out += ' ';
    }
  }
  return out;
}

}  // namespace

std::string ServerText::oneLine(std::string_view text, std::size_t maxBytes) {
  std::string out;
  bool blank = true;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t n = characterLength(text, at);
    const unsigned char c = static_cast<unsigned char>(text[at]);
    std::string_view piece = n == 0 ? std::string_view("?") : text.substr(at, n);
    at += n == 0 ? 1 : n;
    if (n == 1 && (c < 0x20 || c == 0x7F || c == ' ')) {
      if (!blank) out += ' ';
      blank = true;
      continue;
    }
    if (out.size() + piece.size() > maxBytes) {
      while (!out.empty() && out.back() == ' ') out.pop_back();
      return out + "…";
    }
    out += piece;
    blank = false;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string ServerText::description(std::string_view body) {
  pugi::xml_document doc;
  if (load(doc, body)) {
    std::string conditions;
    std::string words;
    for (pugi::xml_node c : doc.document_element().children()) {
      if (c.type() != pugi::node_element) continue;
      const std::string name = localName(c.name());
      if (name == "responsedescription" || name == "error-description") {
        words += std::string(" ") + c.child_value();
      } else {
        conditions += (conditions.empty() ? "" : ", ") + name;
        if (*c.child_value()) words += std::string(" ") + c.child_value();
      }
    }
    return oneLine(conditions + (words.empty() || conditions.empty() ? "" : ":") + words);
  }
  body = body.substr(0, kReadBytes);
  const bool html =
      body.find("<html") != std::string_view::npos || body.find("<HTML") != std::string_view::npos;
  return oneLine(html ? tagsRemoved(body) : std::string(body));
}

bool ServerText::names(std::string_view body, std::string_view condition) {
  pugi::xml_document doc;
  if (!load(doc, body)) return false;
  return doc.document_element().find_node([&](pugi::xml_node n) {
    return n.type() == pugi::node_element && localName(n.name()) == condition;
  });
}

}  // namespace tw
