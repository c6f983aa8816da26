#include "sim/program/situation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>


namespace sim {
namespace {

using nlohmann::json;

std::string Child(const std::string& path, std::string_view key) { return path + "/" + PointerSegment(key); }
std::string Child(const std::string& path, std::size_t index) { return path + "/" + std::to_string(index); }

[[noreturn]] void Fail(const std::string& path, const std::string& why) { throw SituationError(path, why); }

const char* TypeName(const json& v) {
  switch (v.type()) {
    case json::value_t::null: return "null";
    case json::value_t::boolean: return "a boolean";
    case json::value_t::string: return "a string";
    case json::value_t::array: return "an array";
    case json::value_t::object: return "an object";
    default: return "a number";
  }
}

// A number, or one of the strings "nan", "inf" and "-inf".
double Number(const json& v, const std::string& path) {
  if (v.is_number()) return v.get<double>();
  if (v.is_string()) {
    const auto& s = v.get_ref<const std::string&>();
    if (s == "nan") return std::numeric_limits<double>::quiet_NaN();
    if (s == "inf") return std::numeric_limits<double>::infinity();
    if (s == "-inf") return -std::numeric_limits<double>::infinity();
  }
  Fail(path, std::string("must be a number or \"nan\", \"inf\" or \"-inf\", not ") +
                 (v.is_string() ? "\"" + PointerSegment(v.get_ref<const std::string&>()) + "\"" : TypeName(v)));
}

// A whole number in [lo, hi]; written as a JSON number or as "nan"/"inf"/"-inf",
// which are never in range.
long long Integer(const json& v, const std::string& path, long long lo, long long hi) {
  const auto range = [&] { return "must be an integer from " + std::to_string(lo) + " to " + std::to_string(hi); };
  if (v.is_number_integer() && !v.is_number_unsigned()) {
    const auto n = v.get<std::int64_t>();
    if (n < lo || n > hi) Fail(path, range() + ", not " + std::to_string(n));
    return n;
  }
  if (v.is_number_unsigned()) {
    const auto n = v.get<std::uint64_t>();
    if (n > static_cast<std::uint64_t>(hi) || static_cast<long long>(n) < lo) Fail(path, range() + ", not " + std::to_string(n));
    return static_cast<long long>(n);
  }
  const double d = Number(v, path);
  if (!(d >= static_cast<double>(lo) && d <= static_cast<double>(hi)) || d != std::floor(d)) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", d);
    Fail(path, range() + ", not " + text);
  }
  return static_cast<long long>(d);
}

const json& Expect(const json& v, const std::string& path, bool (json::*is)() const noexcept, const char* want) {
  if (!(v.*is)()) Fail(path, std::string("must be ") + want + ", not " + TypeName(v));
  return v;
}

const json::object_t& Object(const json& v, const std::string& path) {
  return Expect(v, path, &json::is_object, "an object").get_ref<const json::object_t&>();
}

const json::array_t& Array(const json& v, const std::string& path, std::size_t most) {
  const auto& a = Expect(v, path, &json::is_array, "an array").get_ref<const json::array_t&>();
  if (a.size() > most) Fail(path, "has " + std::to_string(a.size()) + " entries, at most " + std::to_string(most) + " allowed");
  return a;
}

// A key that names a whole number in [0, hi], written without sign or leading zeros.
int IndexKey(const std::string& key, int hi) {
  if (key.empty() || key.size() > 3 || (key.size() > 1 && key[0] == '0')) return -1;
  int n = 0;
  for (const char c : key) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n <= hi ? n : -1;
}

constexpr long long kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr long long kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr long long kWordMax = std::numeric_limits<std::uint32_t>::max();

// Thruster group "0" to "14" → the thruster indices it holds, in order.
void ReadThrusterGroups(const json& v, const std::string& path, VesselState& vessel) {
  for (const auto& [group, indices] : Object(v, path)) {
    const std::string groupAt = Child(path, group);
    const int g = IndexKey(group, VesselState::kGroups - 1);
    if (g < 0) Fail(groupAt, "thruster group must be 0 to 14");
    const auto& entries = Array(indices, groupAt, kMaxThrustersPerGroup);
    for (std::size_t i = 0; i < entries.size(); ++i)
      vessel.Group(g, static_cast<std::uint32_t>(Integer(entries[i], Child(groupAt, i), 0, kMaxThrusters - 1)));
  }
}

std::vector<double> Levels(const json& v, const std::string& path, std::size_t most) {
  std::vector<double> levels;
  const auto& entries = Array(v, path, most);
  for (std::size_t i = 0; i < entries.size(); ++i) levels.push_back(Number(entries[i], Child(path, i)));
  return levels;
}

void ReadVessel(const json& v, const std::string& path, VesselState& vessel) {
  const auto& fields = Object(v, path);
  if (fields.contains("thrusters") && (fields.contains("thruster_groups") || fields.contains("thruster_levels")))
    Fail(Child(path, "thrusters"), "goes without \"thruster_groups\" and \"thruster_levels\": give thrusters one way");
  for (const auto& [key, value] : fields) {
    const std::string at = Child(path, key);
    if (key == "thrusters") {
      for (const auto& [group, levels] : Object(value, at)) {
        const int g = IndexKey(group, VesselState::kGroups - 1);
        if (g < 0) Fail(Child(at, group), "thruster group must be 0 to 14");
        vessel.SetThrusters(g, Levels(levels, Child(at, group), kMaxThrustersPerGroup));
      }
    } else if (key == "thruster_groups") {
      ReadThrusterGroups(value, at, vessel);
    } else if (key == "thruster_levels") {
      vessel.thrusterLevels = Levels(value, at, kMaxThrusters);
    } else if (key == "control_surfaces") {
      for (const auto& [type, level] : Object(value, at)) {
        const int t = IndexKey(type, 2);
        if (t < 0) Fail(Child(at, type), "control surface type must be 0 to 2");
        vessel.controlSurfaces[static_cast<std::size_t>(t)] = Number(level, Child(at, type));
      }
    } else if (key == "wheel_brakes") {
      for (const auto& [wheel, level] : Object(value, at)) {
        const int w = IndexKey(wheel, kMaxWheel);
        if (w < 0) Fail(Child(at, wheel), "wheel index must be 0 to " + std::to_string(kMaxWheel));
        if (vessel.wheelBrakes.size() <= static_cast<std::size_t>(w)) vessel.wheelBrakes.resize(static_cast<std::size_t>(w) + 1);
        vessel.wheelBrakes[static_cast<std::size_t>(w)] = Number(level, Child(at, wheel));
      }
    } else if (key == "navmodes") {
      const auto& entries = Array(value, at, kMaxListEntries);
      for (std::size_t i = 0; i < entries.size(); ++i)
        vessel.navmodes.push_back(static_cast<int>(Integer(entries[i], Child(at, i), kIntMin, kIntMax)));
    } else if (key == "adc_mode") {
      vessel.adcMode = static_cast<std::uint32_t>(Integer(value, at, 0, kWordMax));
    } else if (key == "flight_status") {
      vessel.flightStatus = static_cast<std::uint32_t>(Integer(value, at, 0, kWordMax));
    } else {
      Fail(at, "unknown field");
    }
  }
  // One thruster more than the highest index named; levels not given are 0.
  for (const auto& group : vessel.groups)
    for (const GroupThruster& t : group)
      if (t.thruster >= vessel.thrusterLevels.size()) vessel.thrusterLevels.resize(t.thruster + 1, 0.0);
}

void ReadKeys(const json& v, const std::string& path, std::vector<Input>& inputs) {
  const auto& entries = Array(v, path, kMaxListEntries);
  for (std::size_t i = 0; i < entries.size(); ++i)
    inputs.push_back({Input::kKey, static_cast<std::uint32_t>(Integer(entries[i], Child(path, i), 0, kWordMax))});
}

// Each entry {"key": scan code} or {"button": 0 to 11}.
void ReadInputs(const json& v, const std::string& path, std::vector<Input>& inputs) {
  const auto& entries = Array(v, path, kMaxListEntries);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string at = Child(path, i);
    const auto& input = Object(entries[i], at);
    if (input.size() != 1) Fail(at, "must hold one field, \"key\" or \"button\"");
    const auto& [kind, code] = *input.begin();
    if (kind == "key")
      inputs.push_back({Input::kKey, static_cast<std::uint32_t>(Integer(code, Child(at, kind), 0, kWordMax))});
    else if (kind == "button")
      inputs.push_back({Input::kButton, static_cast<std::uint32_t>(Integer(code, Child(at, kind), 0, kButtons - 1))});
    else
      Fail(Child(at, kind), "unknown field");
  }
}

// The virtual cockpit's display texture: 256, 512 or 1024 pixels square.
int VcMfdSize(const json& v, const std::string& path) {
  const long long side = Integer(v, path, 256, 1024);
  if (side != 256 && side != 512 && side != 1024) Fail(path, "must be 256, 512 or 1024");
  return static_cast<int>(side);
}

void ReadDisplay(const json& v, const std::string& path, Situation& s) {
  for (const auto& [key, value] : Object(v, path)) {
    const std::string at = Child(path, key);
    if (key == "width")
      s.width = static_cast<int>(Integer(value, at, 1, kMaxDisplaySide));
    else if (key == "height")
      s.height = static_cast<int>(Integer(value, at, 1, kMaxDisplaySide));
    else
      Fail(at, "unknown field");
  }
}

// Rejects duplicate keys and nesting deeper than any situation needs while
// parsing, since the finished document keeps only one value per key.
class Guard {
 public:
  struct Frame {
    bool object;
    std::string name;  // this value's segment within its parent
    std::set<std::string> keys;
    std::string key;
    std::size_t index;
  };
  // The frames live in `frames`, which outlives the parse, so that a failure
  // the parser reports without a place can be placed.
  explicit Guard(std::vector<Frame>& frames) : frames_(&frames) {}

  // The pointer of the value being read.
  std::string Next() const { return frames_->empty() ? "" : Path() + "/" + Name(); }

  bool operator()(int /*depth*/, json::parse_event_t event, json& parsed) {
    constexpr std::size_t kMaxDepth = 8;
    switch (event) {
      case json::parse_event_t::object_start:
      case json::parse_event_t::array_start:
        if (frames_->size() >= kMaxDepth) Fail(Path(), "nested deeper than " + std::to_string(kMaxDepth) + " levels");
        frames_->push_back({event == json::parse_event_t::object_start, Name(), {}, {}, 0});
        break;
      case json::parse_event_t::key: {
        Frame& top = frames_->back();
        top.key = parsed.get<std::string>();
        if (!top.keys.insert(top.key).second) Fail(Child(Path(), top.key), "field given twice");
        break;
      }
      case json::parse_event_t::object_end:
      case json::parse_event_t::array_end:
        frames_->pop_back();
        Advance();
        break;
      case json::parse_event_t::value:
        Advance();
        break;
    }
    return true;
  }

 private:
  std::string Name() const {
    if (frames_->empty()) return "";
    const Frame& top = frames_->back();
    return top.object ? PointerSegment(top.key) : std::to_string(top.index);
  }
  std::string Path() const {
    std::string path;
    for (std::size_t i = 1; i < frames_->size(); ++i) path += "/" + (*frames_)[i].name;
    return path;
  }
  void Advance() {
    if (!frames_->empty() && !frames_->back().object) ++frames_->back().index;
  }
  std::vector<Frame>* frames_;
};

// " at line L, column C" of the first occurrence of `literal` in text, if any.
std::string Place(std::string_view text, std::string_view literal) {
  const std::size_t at = literal.empty() ? std::string_view::npos : text.find(literal);
  if (at == std::string_view::npos) return "";
  const std::size_t line = 1 + std::count(text.begin(), text.begin() + std::ptrdiff_t(at), '\n');
  const std::size_t start = text.rfind('\n', at);
  const std::size_t column = at - (start == std::string_view::npos ? 0 : start + 1) + 1;
  return " at line " + std::to_string(line) + ", column " + std::to_string(column);
}

// "[json.exception.parse_error.101] parse error at line 1, column 2: ..." without its tag.
std::string Untagged(const char* what) {
  std::string text = what;
  if (!text.empty() && text[0] == '[') {
    const auto end = text.find("] ");
    if (end != std::string::npos) text.erase(0, end + 2);
  }
  return text;
}

constexpr std::string_view kDefault = R"({
  "cockpit_mode": 2,
  "vessel": {
    "thrusters": {
      "0": [0, 0], "1": [0, 0], "2": [0, 0, 0],
      "3": [0, 0], "4": [0, 0], "5": [0, 0], "6": [0, 0], "7": [0, 0], "8": [0, 0],
      "9": [0, 0], "10": [0, 0], "11": [0, 0], "12": [0, 0], "13": [0], "14": [0]
    },
    "control_surfaces": {"0": 0, "1": 0, "2": 0},
    "wheel_brakes": {"1": 1, "2": 1},
    "navmodes": [],
    "adc_mode": 7,
    "flight_status": 1
  }
})";

}  // namespace

Situation ParseSituation(std::string_view text) {
  if (text.size() > kMaxSituationBytes)
    Fail("", "larger than " + std::to_string(kMaxSituationBytes) + " bytes");
  if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos)
    Fail("", "a NUL byte" + Place(text, std::string_view("\0", 1)) + ": a situation is text, and ends with its JSON value");
  json doc;
  std::vector<Guard::Frame> frames;
  try {
    doc = json::parse(text.begin(), text.end(), Guard(frames));
  } catch (const json::out_of_range& e) {
    // A number too large for a double: the parser names the literal but not its place.
    const std::string what = Untagged(e.what());
    const std::size_t open = what.find('\''), close = what.rfind('\'');
    const std::string literal = open < close ? what.substr(open + 1, close - open - 1) : "";
    Fail(Guard(frames).Next(), what + Place(text, literal));
  } catch (const json::exception& e) {
    Fail("", Untagged(e.what()));
  }

  Situation s;
  for (const auto& [key, value] : Object(doc, "")) {
    const std::string at = Child("", key);
    if (key == "cockpit_mode")
      s.cockpitMode = static_cast<int>(Integer(value, at, kIntMin, kIntMax));
    else if (key == "config")
      s.config = Expect(value, at, &json::is_string, "a string").get<std::string>();
    else if (key == "display")
      ReadDisplay(value, at, s);
    else if (key == "window_height")
      s.windowHeight = static_cast<int>(Integer(value, at, 1, kMaxWindowHeight));
    else if (key == "vc_mfd_size")
      s.vcMfdSize = VcMfdSize(value, at);
    else if (key == "keys")
      ReadKeys(value, at, s.inputs);
    else if (key == "inputs")
      ReadInputs(value, at, s.inputs);
    else if (key == "attitude_mode")
      s.attitudeMode = static_cast<int>(Integer(value, at, kIntMin, kIntMax));
    else if (key == "vessel")
      ReadVessel(value, at, s.vessel);
    else
      Fail(at, "unknown field");
  }
  if (doc.contains("keys") && doc.contains("inputs")) Fail("/keys", "goes without \"inputs\": give the keys there");
  return s;
}

Situation DefaultSituation() { return ParseSituation(kDefault); }

DisplaySize DisplaySizeOf(const Situation& situation) {
  const int side = CockpitDisplaySide(situation.cockpitMode, situation.windowHeight, situation.vcMfdSize,
                                      situation.config.value_or(""));
  return {situation.width ? situation.width : side, situation.height ? situation.height : side};
}

std::string PointerSegment(std::string_view key) {
  std::string out;
  for (const char ch : key) {
    const auto c = static_cast<unsigned char>(ch);
    if (ch == '~') {
      out += "~0";
    } else if (ch == '/') {
      out += "~1";
    } else if (c < 0x20 || c == 0x7F) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += ch;
    }
  }
  return out;
}

}  // namespace sim
