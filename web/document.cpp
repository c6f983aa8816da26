#include "web/document.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <vector>

#include "sim/core/config.h"
#include "sim/core/text.h"
#include "sim/program/situation.h"

namespace web {
namespace {

[[noreturn]] void Refuse(const std::string& why) { throw std::invalid_argument(why); }

// The pointer's tokens, unescaped.
std::vector<std::string> Tokens(const std::string& pointer) {
  if (pointer.empty()) Refuse("the empty pointer names the whole situation: give a field, such as /cockpit_mode");
  if (pointer[0] != '/') Refuse("\"" + pointer + "\" is not a JSON pointer: it starts with '/'");
  std::vector<std::string> tokens;
  for (std::size_t i = 0; i < pointer.size(); ++i) {
    const char c = pointer[i];
    if (c == '/') {
      tokens.emplace_back();
    } else if (c != '~') {
      tokens.back() += c;
    } else if (i + 1 < pointer.size() && (pointer[i + 1] == '0' || pointer[i + 1] == '1')) {
      tokens.back() += pointer[++i] == '0' ? '~' : '/';
    } else {
      Refuse("\"" + pointer + "\" is not a JSON pointer: '~' stands only before 0 or 1");
    }
  }
  return tokens;
}

// A list index: decimal without sign or leading zeros, at most one past the end.
std::size_t Index(const json& list, const std::string& token, const std::string& at) {
  const bool digits = !token.empty() && token.size() < 10 && (token.size() == 1 || token[0] != '0') &&
                      token.find_first_not_of("0123456789") == std::string::npos;
  if (!digits) Refuse(at + ": a list entry is named by its index, not \"" + token + "\"");
  const std::size_t i = std::stoul(token);
  if (i > list.size()) Refuse(at + "/" + token + ": past the end of a list of " + std::to_string(list.size()) + " entries");
  return i;
}

// The member or entry token of node, made when missing.
json& Child(json& node, const std::string& token, const std::string& at) {
  if (node.is_null()) node = json::object();
  if (node.is_object()) return node[token];
  if (!node.is_array()) Refuse(at + ": " + std::string(node.type_name()) + " holds no fields");
  const std::size_t i = Index(node, token, at);
  if (i == node.size()) node.push_back(nullptr);
  return node[i];
}

void FormatInto(const json& v, const std::string& indent, std::string& out) {
  const auto plain = [](const json& x) { return !x.is_structured(); };
  if (!v.is_structured() || v.empty()) {
    out += v.dump(-1, ' ', false, json::error_handler_t::replace);
  } else if (v.is_array() && std::all_of(v.begin(), v.end(), plain)) {
    const char* separator = "[";
    for (const json& x : v) out += separator + x.dump(-1, ' ', false, json::error_handler_t::replace), separator = ", ";
    out += ']';
  } else {
    const std::string inner = indent + "  ";
    const char* separator = v.is_array() ? "[\n" : "{\n";
    for (auto it = v.begin(); it != v.end(); ++it) {
      out += separator + inner;
      separator = ",\n";
      if (v.is_object()) out += json(it.key()).dump(-1, ' ', false, json::error_handler_t::replace) + ": ";
      FormatInto(*it, inner, out);
    }
    out += "\n" + indent + (v.is_array() ? "]" : "}");
  }
}

}  // namespace

json DefaultFields() {
  const sim::Situation s;
  return {{"/cockpit_mode", s.cockpitMode}, {"/config", *s.config},        {"/window_height", s.windowHeight},
          {"/vc_mfd_size", s.vcMfdSize},    {"/attitude_mode", s.attitudeMode}};
}

json Edited(const json& doc, const std::string& pointer, const std::optional<json>& value) {
  const std::vector<std::string> tokens = Tokens(pointer);
  json edited = doc;
  json* node = &edited;
  std::string at;
  for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
    if (!value && !(node->is_object() && node->contains(tokens[i]))) return edited;  // nothing to remove
    node = &Child(*node, tokens[i], at);
    at += "/" + sim::PointerSegment(tokens[i]);
  }
  if (value)
    Child(*node, tokens.back(), at) = *value;
  else if (node->is_array())
    Refuse(pointer + ": a list entry needs a value");
  else if (node->is_object())
    node->erase(tokens.back());
  return edited;
}

std::optional<json> TypedValue(std::string_view text) {
  const std::string t(sim::Trim(text));
  if (t.empty()) return std::nullopt;
  std::string lower = t;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  for (const char* name : {"nan", "inf", "-inf"})
    if (lower == name) return json(name);
  try {
    json number = json::parse(t);
    if (number.is_number()) return number;
  } catch (const json::out_of_range& e) {
    const std::string what = e.what();
    throw std::invalid_argument(what.substr(what.find("] ") + 2));
  } catch (const json::parse_error&) {
  }
  return json(t);
}

std::string Format(const json& value) {
  std::string out;
  FormatInto(value, "", out);
  return out;
}

std::string ConfigItem(std::string_view config, std::string_view name) {
  return sim::ConfigFile::Parse(config).Text(name).value_or("");
}

std::string WithConfigItem(std::string_view config, std::string_view name, std::string_view text) {
  if (text.find_first_of("\r\n;") != std::string_view::npos)
    Refuse(std::string(name) + ": a value holds no line break and no ';'");
  const std::string value(sim::Trim(text));
  const std::vector<std::string_view> views = sim::Lines(config);
  std::vector<std::string> lines(views.begin(), views.end());
  const auto names = [&](const std::string& line) {
    const std::optional<sim::ConfigItem> item = sim::ParseConfigLine(line);
    return item && sim::SameConfigKey(item->key, name);
  };
  const auto at = std::find_if(lines.begin(), lines.end(), names);
  if (at != lines.end() && value.empty()) {
    lines.erase(at);
  } else if (at != lines.end()) {
    const std::size_t comment = at->find(';');
    *at = std::string(sim::ParseConfigLine(*at)->key) + " = " + value +
          (comment == std::string::npos ? "" : " " + at->substr(comment));
  } else if (!value.empty()) {
    lines.push_back(std::string(name) + " = " + value);
  }
  std::string out;
  for (const std::string& line : lines) out += line + '\n';
  return out;
}

}  // namespace web
