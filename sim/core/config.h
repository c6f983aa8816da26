// Host configuration files: "Key = Value" lines, keys without regard to case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sim {

// One line's item: key and value trimmed, text after ';' left out; none for a
// line without '=' or with an empty key.
struct ConfigItem {
  std::string_view key, value;
};
std::optional<ConfigItem> ParseConfigLine(std::string_view line);
// Whether two keys name the same item.
bool SameConfigKey(std::string_view a, std::string_view b);

class ConfigFile {
 public:
  static ConfigFile Parse(std::string_view text);
  // The value of the first item named key, as written; none when missing.
  std::optional<std::string> Text(std::string_view key) const;
  // Whether an item is named key.
  bool Has(std::string_view key) const { return Text(key).has_value(); }
  // The value of the first item named key; false when missing or not a number.
  bool ReadFloat(std::string_view key, double* value) const;

 private:
  std::vector<std::pair<std::string, std::string>> items_;
};

}  // namespace sim
