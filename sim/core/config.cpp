#include "sim/core/config.h"

#include <cctype>
#include <cstdlib>

namespace sim {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

bool SameKey(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

}  // namespace

ConfigFile ConfigFile::Parse(std::string_view text) {
  ConfigFile file;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    line = line.substr(0, line.find(';'));
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, eq));
    if (key.empty()) continue;
    file.items_.emplace_back(std::string(key), std::string(Trim(line.substr(eq + 1))));
  }
  return file;
}

bool ConfigFile::Has(std::string_view key) const {
  for (const auto& item : items_)
    if (SameKey(item.first, key)) return true;
  return false;
}

bool ConfigFile::ReadFloat(std::string_view key, double* value) const {
  for (const auto& [name, text] : items_) {
    if (!SameKey(name, key)) continue;
    if (text.empty()) return false;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size()) return false;
    *value = v;
    return true;
  }
  return false;
}

}  // namespace sim
