#include "sim/program/scenario.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>

#include "sim/core/text.h"

namespace sim {
namespace {

// A trimmed line of the text and its 1-based number.
struct Line {
  int number;
  std::string_view text;
};

constexpr std::string_view kBlanks = " \t\r";

std::vector<Line> NumberedLines(std::string_view text) {
  std::vector<Line> lines;
  int number = 0;
  for (const std::string_view line : Lines(text)) lines.push_back({++number, Trim(line)});
  return lines;
}

// The first word of a line, and the rest trimmed.
std::pair<std::string_view, std::string_view> Split(std::string_view s) {
  const auto end = s.find_first_of(kBlanks);
  if (end == std::string_view::npos) return {s, {}};
  return {s.substr(0, end), Trim(s.substr(end))};
}

std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> words;
  while (!(s = Trim(s)).empty()) {
    const auto [word, rest] = Split(s);
    words.push_back(word);
    s = rest;
  }
  return words;
}

bool SameText(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

// The whole of s as a number in [lo, hi], or none.
std::optional<long long> Whole(std::string_view s, long long lo, long long hi) {
  if (s.size() > 1 && s[0] == '+' && s[1] != '-') s.remove_prefix(1);
  long long n = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
  if (ec != std::errc() || end != s.data() + s.size() || s.empty() || n < lo || n > hi) return std::nullopt;
  return n;
}

// The whole of s as a finite number, or none.
std::optional<double> Real(std::string_view s) {
  const std::optional<double> x = ReadNumber(s);
  return x && std::isfinite(*x) ? x : std::nullopt;
}

// Thruster layouts of the classes the page knows: the thrusters each tank
// feeds, and the groups.
struct Feed {
  int tank;
  std::uint32_t first, last;
};
struct VesselClass {
  std::string_view name;
  std::uint32_t thrusters;
  int tanks;
  std::vector<Feed> feeds;
};
const std::vector<VesselClass>& Classes() {
  static const std::vector<VesselClass> classes = {
      {"DeltaGlider", 21, 2, {{0, 0, 6}, {1, 7, 20}}},
      // The scramjet variant: thrusters 21 and 22 in no group.
      {"DG-S", 23, 3, {{0, 0, 6}, {1, 7, 20}, {2, 21, 22}}},
  };
  return classes;
}
// Main, retro, hover; attitude: pitch up/down, yaw left/right, bank left/right,
// right/left, up/down, forward/back.
const std::array<std::vector<std::uint32_t>, VesselState::kGroups> kGroups = {{
    {0, 1}, {2, 3}, {4, 5, 6},
    {7, 8}, {9, 10}, {11, 12}, {13, 14}, {15, 16}, {17, 18},
    {13, 12}, {11, 14}, {7, 10}, {9, 8}, {19}, {20},
}};

constexpr long long kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr long long kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr long long kWordMax = std::numeric_limits<std::uint32_t>::max();

struct Ship {
  std::string_view name, cls;
  int line;
  std::vector<Line> items;
};

// The items of the focus vessel, read into the page's view of it.
class FocusReader {
 public:
  FocusReader(const VesselClass& cls, const std::vector<Ship>& ships, Scenario& out)
      : cls_(cls),
        ships_(ships),
        out_(out),
        levels_(cls.thrusters, 0.0),
        fills_(static_cast<std::size_t>(cls.tanks), 0.0) {}

  void Read(const Ship& focus) {
    using Handler = void (FocusReader::*)(const Line&, std::string_view);
    static const std::map<std::string_view, Handler> items = {
        {"STATUS", &FocusReader::Status},         {"RCSMODE", &FocusReader::RcsMode},
        {"AFCMODE", &FocusReader::AfcMode},       {"THLEVEL", &FocusReader::ThrusterLevels},
        {"PRPLEVEL", &FocusReader::TankLevels},   {"DOCKINFO", &FocusReader::DockInfo},
        {"FLIGHTDATA", &FocusReader::FlightData},
    };
    for (const Line& line : focus.items) {
      const auto [word, args] = Split(line.text);
      if (const auto item = items.find(word); item != items.end()) (this->*item->second)(line, args);
    }
    for (const Ship& ship : ships_)
      for (const Line& line : ship.items)
        if (Split(line.text).first == "DOCKINFO" && &ship != &focus)
          for (const std::string_view entry : Words(Split(line.text).second))
            if (const auto comma = entry.find(',');
                comma != std::string_view::npos && entry.substr(comma + 1) == focus.name)
              docked_ = true;
    Finish();
  }

 private:
  [[noreturn]] static void Bad(const Line& line, const std::string& why) {
    throw ScenarioError(line.number, std::string(Split(line.text).first) + ": " + why);
  }
  void Note(const Line& line, const std::string& text) {
    out_.notes.push_back({line.number, std::string(Split(line.text).first) + ": " + text});
  }

  void Status(const Line& line, std::string_view args) {
    const std::string_view state = Split(args).first;
    landed_ = state == "Landed";
    if (!landed_ && state != "Orbiting") Note(line, "'" + Printable(state) + "' read as not landed");
  }
  void RcsMode(const Line& line, std::string_view args) {
    const auto n = Whole(args, kIntMin, kIntMax);
    if (!n) Bad(line, "'" + Printable(args) + "' is not a whole number");
    out_.situation.attitudeMode = static_cast<int>(*n);
  }
  void AfcMode(const Line& line, std::string_view args) {
    const auto n = Whole(args, 0, kWordMax);
    if (!n) Bad(line, "'" + Printable(args) + "' is not a whole number from 0 to " + std::to_string(kWordMax));
    out_.situation.vessel.adcMode = static_cast<std::uint32_t>(*n);
  }
  // "INDEX:VALUE ..." as values by index, 0 where not listed; an index the
  // class lacks is skipped.
  void Indexed(const Line& line, std::string_view args, std::vector<double>& values, const char* what) {
    std::fill(values.begin(), values.end(), 0.0);
    for (const std::string_view entry : Words(args)) {
      const auto colon = entry.find(':');
      const auto index = Whole(entry.substr(0, colon), kIntMin, kIntMax);
      const auto value = colon == std::string_view::npos ? std::nullopt : Real(entry.substr(colon + 1));
      if (!index || !value) Bad(line, "'" + Printable(entry) + "' is not INDEX:NUMBER");
      if (*index < 0 || static_cast<std::size_t>(*index) >= values.size()) {
        Note(line, std::string(cls_.name) + " has no " + what + " " + std::to_string(*index) + ": skipped");
        continue;
      }
      values[static_cast<std::size_t>(*index)] = *value;
    }
  }
  void ThrusterLevels(const Line& line, std::string_view args) {
    Indexed(line, args, levels_, "thruster");
    levelsLine_ = line;
  }
  void TankLevels(const Line& line, std::string_view args) { Indexed(line, args, fills_, "tank"); }
  void DockInfo(const Line& line, std::string_view args) {
    for (const std::string_view entry : Words(args)) {
      const auto comma = entry.find(',');
      const auto colon = entry.find(':');
      if (comma == std::string_view::npos || colon > comma || !Whole(entry.substr(0, colon), 0, kIntMax) ||
          !Whole(entry.substr(colon + 1, comma - colon - 1), 0, kIntMax))
        Bad(line, "'" + Printable(entry) + "' is not PORT:PORT,NAME");
      const std::string_view name = entry.substr(comma + 1);
      if (std::any_of(ships_.begin(), ships_.end(), [&](const Ship& s) { return s.name == name; })) docked_ = true;
    }
  }
  void FlightData(const Line& line, std::string_view) { out_.flightData = line.number; }

  // Levels as the host reports them: within 0..1, and 0 from an empty tank.
  void Finish() {
    VesselState& v = out_.situation.vessel;
    v.thrusterLevels.assign(levels_.size(), 0.0);
    for (const Feed& feed : cls_.feeds)
      for (std::uint32_t t = feed.first; t <= feed.last; ++t) {
        const double x = levels_[t];
        const double level = fills_[static_cast<std::size_t>(feed.tank)] > 0 ? std::clamp(x, 0.0, 1.0) : 0.0;
        if (level != x)
          Note(levelsLine_,
               "thruster " + std::to_string(t) + " at " + ShortestNumber(x) + " reads " + ShortestNumber(level) +
                   (level == std::clamp(x, 0.0, 1.0) ? "" : ": tank " + std::to_string(feed.tank) + " is empty"));
        v.thrusterLevels[t] = level;
      }
    for (int g = 0; g < VesselState::kGroups; ++g)
      for (const std::uint32_t t : kGroups[static_cast<std::size_t>(g)]) v.Group(g, t);
    v.flightStatus = (landed_ ? 1u : 0u) | (docked_ ? 2u : 0u);
  }

  const VesselClass& cls_;
  const std::vector<Ship>& ships_;
  Scenario& out_;
  std::vector<double> levels_, fills_;
  Line levelsLine_{0, {}};
  bool landed_ = false, docked_ = false;
};

// The blocks of a scenario, each the lines between BEGIN_X and END_X.
class BlockReader {
 public:
  BlockReader(std::string_view mode, Scenario& out) : mode_(mode), out_(out) {}

  void Read(const std::vector<Line>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const auto [word, arg] = Split(lines[i].text);
      if (word.substr(0, 6) != "BEGIN_") continue;
      const std::string_view block = word.substr(6);
      const std::string end = "END_" + std::string(block);
      std::size_t j = i + 1;
      while (j < lines.size() && Split(lines[j].text).first != end) ++j;
      if (j == lines.size())
        out_.notes.push_back({lines[i].number, std::string(word) + " has no " + end + ": read to the end"});
      Block(lines[i], block, arg,
            {lines.begin() + static_cast<std::ptrdiff_t>(i) + 1, lines.begin() + static_cast<std::ptrdiff_t>(j)});
      i = j;
    }
  }

  bool panel = false, vc = false;
  std::optional<Line> focus;  // the Ship line
  std::optional<Line> focusBlock;
  std::vector<Ship> ships;

 private:
  void Block(const Line& begin, std::string_view block, std::string_view arg, const std::vector<Line>& body) {
    if (block == "PANEL") panel = true;
    if (block == "VC") vc = true;
    if (block == "FOCUS") {
      focusBlock = begin;
      for (const Line& line : body)
        if (Split(line.text).first == "Ship") focus = line;
    }
    if (block == "ENVIRONMENT")
      for (const Line& line : body)
        if (const auto [word, rest] = Split(line.text); word == "Playback" && !rest.empty()) out_.playback = rest;
    if (block == "MFD") Display(arg, body);
    if (block == "SHIPS") Ships(body);
  }

  void Display(std::string_view id, const std::vector<Line>& body) {
    bool user = false, named = false;
    for (const Line& line : body) {
      const auto [word, rest] = Split(line.text);
      if (word == "TYPE") user = rest == "User";
      if (word == "MODE") named = rest == mode_;
    }
    if (user && named && !out_.display) out_.display = std::string(id);
  }

  void Ships(const std::vector<Line>& body) {
    std::optional<Ship> open;
    for (const Line& line : body) {
      if (line.text.empty()) continue;
      if (!open) {
        const auto colon = line.text.find(':');
        const std::string_view name = Trim(line.text.substr(0, colon));
        open = Ship{name, colon == std::string_view::npos ? name : Trim(line.text.substr(colon + 1)), line.number, {}};
      } else if (line.text == "END") {
        ships.push_back(std::move(*open));
        open.reset();
      } else {
        open->items.push_back(line);
      }
    }
    if (open) throw ScenarioError(open->line, "ship " + Printable(open->name) + " has no END line before END_SHIPS");
  }

  std::string_view mode_;
  Scenario& out_;
};

}  // namespace

std::string KnownClasses() {
  std::string names;
  for (const VesselClass& c : Classes()) names += (names.empty() ? "" : ", ") + std::string(c.name);
  return names;
}

Scenario ParseScenario(std::string_view text, std::string_view name, std::string_view mode) {
  if (text.size() > kMaxScenarioBytes)
    throw ScenarioError(0, "larger than " + std::to_string(kMaxScenarioBytes) + " bytes");
  Scenario out;
  out.playback = std::string(name);
  BlockReader blocks(mode, out);
  blocks.Read(NumberedLines(text));
  if (!blocks.focusBlock) throw ScenarioError(0, "no BEGIN_FOCUS block: no focus vessel");
  if (!blocks.focus) throw ScenarioError(blocks.focusBlock->number, "BEGIN_FOCUS holds no 'Ship NAME' line");
  const std::string_view focus = Split(blocks.focus->text).second;
  const auto ship =
      std::find_if(blocks.ships.begin(), blocks.ships.end(), [&](const Ship& s) { return s.name == focus; });
  if (ship == blocks.ships.end())
    throw ScenarioError(blocks.focus->number, "the focus vessel '" + Printable(focus) + "' is not among the ships");
  const auto cls = std::find_if(Classes().begin(), Classes().end(),
                                [&](const VesselClass& c) { return SameText(c.name, ship->cls); });
  if (cls == Classes().end())
    throw ScenarioError(ship->line, "the focus vessel " + Printable(focus) + " is of class '" +
                                        Printable(ship->cls) + "', not one the page knows: " + KnownClasses());

  out.focus = std::string(focus);
  out.focusClass = std::string(ship->cls);
  out.focusLine = ship->line;
  out.situation.config.reset();
  out.situation.cockpitMode = blocks.panel ? 2 : blocks.vc ? 3 : 1;
  out.situation.attitudeMode = 1;
  FocusReader(*cls, blocks.ships, out).Read(*ship);
  return out;
}

}  // namespace sim
