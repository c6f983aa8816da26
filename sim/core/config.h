// Host configuration files: "Key = Value" lines, keys without regard to case.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sim {

class ConfigFile {
 public:
  // Lines without '=' and text after ';' are ignored; keys and values are trimmed.
  static ConfigFile Parse(std::string_view text);
  // Whether an item is named key.
  bool Has(std::string_view key) const;
  // The value of the first item named key; false when missing or not a number.
  bool ReadFloat(std::string_view key, double* value) const;

 private:
  std::vector<std::pair<std::string, std::string>> items_;
};

}  // namespace sim
