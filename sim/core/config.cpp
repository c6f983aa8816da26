#include "sim/core/config.h"

#include <cctype>
#include <cstdlib>

#include "sim/core/text.h"

namespace sim {

bool SameConfigKey(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

std::optional<ConfigItem> ParseConfigLine(std::string_view line) {
  line = line.substr(0, line.find(';'));
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  const std::string_view key = Trim(line.substr(0, eq));
  if (key.empty()) return std::nullopt;
  return ConfigItem{key, Trim(line.substr(eq + 1))};
}

ConfigFile ConfigFile::Parse(std::string_view text) {
  ConfigFile file;
  for (const std::string_view line : Lines(text))
    if (const std::optional<ConfigItem> item = ParseConfigLine(line))
      file.items_.emplace_back(std::string(item->key), std::string(item->value));
  return file;
}

std::optional<std::string> ConfigFile::Text(std::string_view key) const {
  for (const auto& [name, text] : items_)
    if (SameConfigKey(name, key)) return text;
  return std::nullopt;
}

bool ConfigFile::ReadFloat(std::string_view key, double* value) const {
  const std::optional<std::string> text = Text(key);
  if (!text || text->empty()) return false;
  char* end = nullptr;
  const double v = std::strtod(text->c_str(), &end);
  if (end != text->c_str() + text->size()) return false;
  *value = v;
  return true;
}

}  // namespace sim
