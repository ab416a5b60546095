#include "sync/MultiStatus.h"

#include <pugixml.hpp>

#include <cstdlib>
#include <string_view>
#include <tuple>
#include <utility>

#include "sync/Href.h"
#include "sync/SyncError.h"

namespace tw {
namespace {

// The namespace a prefix stands for where node is, from the xmlns attributes of the node and
// its ancestors.
std::string namespaceOf(pugi::xml_node node, std::string_view prefix) {
  const std::string attribute = prefix.empty() ? "xmlns" : "xmlns:" + std::string(prefix);
  for (pugi::xml_node n = node; n; n = n.parent())
    if (pugi::xml_attribute a = n.attribute(attribute.c_str())) return a.value();
  return {};
}

std::string qualified(pugi::xml_node node) {
  const std::string_view full = node.name();
  const std::size_t colon = full.find(':');
  const std::string_view prefix = colon == std::string_view::npos ? "" : full.substr(0, colon);
  const std::string_view local = colon == std::string_view::npos ? full : full.substr(colon + 1);
  return "{" + namespaceOf(node, prefix) + "}" + std::string(local);
}

bool is(pugi::xml_node node, const char* ns, const char* local) {
  return node.type() == pugi::node_element && qualified(node) == MultiStatus::name(ns, local);
}

std::string textOf(pugi::xml_node node) {
  std::string text;
  for (pugi::xml_node c : node.children())
    if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) text += c.value();
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

int statusOf(pugi::xml_node node) {
  // "HTTP/1.1 404 Not Found"
  const std::string line = textOf(node);
  const std::size_t space = line.find(' ');
  return space == std::string::npos ? 0 : std::atoi(line.c_str() + space + 1);
}

// The canonical path and the origin of an href; an empty path and "?" when it is no address.
std::pair<std::string, std::string> addressOf(const std::string& href) {
  try {
    return {Href::path(href), Href::origin(href)};
  } catch (const SyncError&) {
    return {std::string(), "?"};
  }
}

MultiStatus::Property propertyOf(pugi::xml_node node, const std::string& origin) {
  MultiStatus::Property p;
  p.text = textOf(node);
  for (pugi::xml_node c : node.children()) {
    if (c.type() != pugi::node_element) continue;
    if (is(c, MultiStatus::kDav, "href")) {
      const auto [path, where] = addressOf(textOf(c));
      if (!path.empty() && (where.empty() || where == origin))
        p.hrefs.push_back(path);
      else
        p.elsewhere.push_back(textOf(c));
    }
    p.children.push_back(qualified(c));
    if (const pugi::xml_attribute name = c.attribute("name")) p.names.emplace_back(name.value());
  }
  return p;
}

MultiStatus::Response responseOf(pugi::xml_node node, const std::string& origin) {
  MultiStatus::Response r;
  for (pugi::xml_node c : node.children()) {
    if (is(c, MultiStatus::kDav, "href")) std::tie(r.href, r.origin) = addressOf(textOf(c));
    if (is(c, MultiStatus::kDav, "status")) r.status = statusOf(c);
    if (!is(c, MultiStatus::kDav, "propstat")) continue;
    pugi::xml_node prop;
    int status = 0;
    for (pugi::xml_node p : c.children()) {
      if (is(p, MultiStatus::kDav, "prop")) prop = p;
      if (is(p, MultiStatus::kDav, "status")) status = statusOf(p);
    }
    if (status < 200 || status > 299) continue;
    for (pugi::xml_node p : prop.children())
      if (p.type() == pugi::node_element) r.found.emplace(qualified(p), propertyOf(p, origin));
  }
  return r;
}

}  // namespace

const std::string& MultiStatus::Response::text(const std::string& name) const {
  static const std::string kNone;
  const auto it = found.find(name);
  return it == found.end() ? kNone : it->second.text;
}

MultiStatus MultiStatus::parse(const std::string& body, const std::string& origin) {
  pugi::xml_document doc;
  const pugi::xml_parse_result parsed = doc.load_buffer(body.data(), body.size());
  pugi::xml_node root = doc.document_element();
  if (!parsed || !is(root, kDav, "multistatus"))
    throw SyncError("the calendar server's answer is not a WebDAV multi-status document" +
                    (parsed ? std::string() : std::string(" (") + parsed.description() + ")"));
  MultiStatus out;
  for (pugi::xml_node c : root.children()) {
    if (is(c, kDav, "response")) out.responses_.push_back(responseOf(c, origin));
    if (is(c, kDav, "sync-token")) out.syncToken_ = textOf(c);
  }
  return out;
}

}  // namespace tw
