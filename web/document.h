// The live page's situation as a JSON document: edited one field at a time,
// written out for people, and the Orbiter.cfg items the page edits in place.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace web {

using json = nlohmann::ordered_json;

// doc with the value at pointer replaced, or removed when value is empty (an
// object member only: a list entry needs a value). Intermediate objects are
// made as needed. Throws std::invalid_argument with the reason.
json Edited(const json& doc, const std::string& pointer, const std::optional<json>& value);

// What a typed field means: nothing for blank text, a number for a JSON
// number, "nan", "inf" or "-inf" for those names in any case, else the text
// itself for the loader to judge. Throws std::invalid_argument for a number
// out of range, with the JSON reader's message ("number overflow ...").
std::optional<json> TypedValue(std::string_view text);

// Objects one member a line, lists of plain values on one line.
std::string Format(const json& value);

// The top-level fields a situation may leave out, by JSON pointer, with the
// values the host then takes.
json DefaultFields();

// The value text of the first item named name in Orbiter.cfg's text (keys
// without regard to case, text after ';' ignored); empty when missing.
std::string ConfigItem(std::string_view config, std::string_view name);

// config with that item's value set, or its line removed for blank text; an
// item not yet there is appended. Throws std::invalid_argument for a value
// holding a line break or ';'.
std::string WithConfigItem(std::string_view config, std::string_view name, std::string_view text);

}  // namespace web
