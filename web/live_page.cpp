#include "web/live_page.h"

#include <cmath>

#include "sim/core/config.h"
#include "sim/core/host.h"
#include "sim/surface/raster_surface.h"

namespace web {
namespace {

// The module "file": the loader hands out the linked-in module whatever its name.
constexpr const char* kModulePath = "/vitals/Vitals";

// Whether pointer names field or something within it.
bool Within(const std::string& pointer, const std::string& field) {
  return pointer == field || pointer.rfind(field + "/", 0) == 0;
}

// Items of Orbiter.cfg whose values the host and the module read as numbers.
constexpr const char* kConfigNumbers[] = {"GenericMFDSize", "PanelScale"};

// Why an item the host reads as a number is read as missing, if it is.
std::string ConfigNote(const std::string& config, const char* name) {
  const std::string text = web::ConfigItem(config, name);
  double value = 0;
  if (text.empty() || (sim::ConfigFile::Parse(config).ReadFloat(name, &value) && std::isfinite(value))) return "";
  return std::string("Orbiter.cfg: ") + name + " = " + json(text).dump(-1, ' ', false, json::error_handler_t::replace) +
         " is not a finite number, so it reads as missing";
}

}  // namespace

bool LivePage::Refused(std::string message) {
  messages_ = std::move(message);
  return false;
}

std::optional<sim::Situation> LivePage::Parsed(std::string_view text) {
  messages_.clear();
  try {
    return sim::ParseSituation(text);
  } catch (const sim::SituationError& e) {
    Refused(e.Message());
    return std::nullopt;
  }
}

bool LivePage::Load(std::string_view text) {
  const std::optional<sim::Situation> s = Parsed(text);
  return s && Open(json::parse(text), *s);
}

bool LivePage::Open(json doc, const sim::Situation& s) {
  try {
    session_ = std::make_unique<sim::SituationSession>(kModulePath, s);
  } catch (const std::exception& e) {
    session_.reset();
    flight_.reset();
    return Refused(std::string("the session could not start: ") + e.what());
  }
  doc_ = std::move(doc);
  situation_ = s;
  Refresh();
  return true;
}

template <typename Make>
std::unique_ptr<FlightTimeline> LivePage::ParsedFlight(std::string_view start, Make make) {
  const std::optional<sim::Situation> s = Parsed(start);
  if (!s) {
    messages_ = "start situation: " + messages_;
    return nullptr;
  }
  try {
    return make(*s);
  } catch (const sim::FlightError& e) {
    Refused("line " + std::to_string(e.Line()) + ": " + e.what());
  } catch (const std::logic_error& e) {
    Refused(e.what());
  }
  return nullptr;
}

bool LivePage::Play(std::string_view recording, std::string_view start) {
  std::unique_ptr<FlightTimeline> flight =
      ParsedFlight(start, [&](const sim::Situation& s) { return std::make_unique<FlightTimeline>(recording, s); });
  if (!flight) return false;
  flight_ = std::move(flight);
  return Open(json::parse(start), flight_->Now());
}

bool LivePage::PlayRead(std::string_view recording, std::string_view packed, std::string_view start) {
  std::unique_ptr<FlightTimeline> flight = ParsedFlight(start, [&](const sim::Situation& s) {
    return std::make_unique<FlightTimeline>(recording, Unpacked(packed), s);
  });
  if (!flight) return false;
  flight_ = std::move(flight);
  return Open(json::parse(start), flight_->Now());
}

bool LivePage::Seek(double t) {
  messages_.clear();
  if (!flight_) return Refused("no recording is loaded");
  if (std::isnan(t)) return Refused("the time to seek is not a number");
  flight_->Seek(t);
  session_->Apply(flight_->Now());
  situation_ = flight_->Now();
  return true;
}

double LivePage::Due(double t) const { return flight_ ? flight_->Due(t) : std::nan(""); }
double LivePage::Time() const { return flight_ ? flight_->Time() : std::nan(""); }

std::string LivePage::SituationText() const { return Format(flight_ ? WithVessel(doc_, situation_) : doc_); }

bool LivePage::Adopt(json doc) {
  sim::Situation s;
  try {
    s = sim::ParseSituation(doc.dump(-1, ' ', false, json::error_handler_t::strict));
  } catch (const sim::SituationError& e) {
    return Refused(e.Message());
  } catch (const json::exception&) {
    return Refused("text must be UTF-8");
  }
  try {
    session_->Apply(s);
  } catch (const std::exception& e) {
    session_->Apply(situation_);
    return Refused(std::string("the display could not open: ") + e.what());
  }
  doc_ = std::move(doc);
  situation_ = std::move(s);
  return true;
}

bool LivePage::Set(const std::string& pointer, const std::optional<std::string>& value) {
  messages_.clear();
  if (flight_) return Refused(pointer + ": a recording is loaded and the situation follows it; load a situation to edit by hand");
  if (Within(pointer, "/inputs") || Within(pointer, "/keys"))
    return Refused(pointer + ": inputs are sent as a situation loads; press keys and buttons instead");
  std::optional<json> parsed;
  if (value) {
    parsed = json::parse(*value, nullptr, false);
    if (parsed->is_discarded()) return Refused(pointer + ": the value is not JSON");
  }
  json edited;
  try {
    edited = Edited(doc_, pointer, parsed);
  } catch (const std::invalid_argument& e) {
    return Refused(e.what());
  }
  if (!Adopt(std::move(edited))) return false;
  if (Within(pointer, "/config")) {
    const std::string config = situation_.config.value_or("");
    for (const char* name : kConfigNumbers) {
      const std::string note = ConfigNote(config, name);
      if (!note.empty()) messages_ += (messages_.empty() ? "" : "\n") + note;
    }
  }
  return true;
}

bool LivePage::SetTyped(const std::string& pointer, std::string_view text) {
  std::optional<json> value;
  try {
    value = TypedValue(text);
  } catch (const std::invalid_argument& e) {
    messages_.clear();
    return Refused(pointer + ": " + e.what());
  }
  return Set(pointer, value ? std::optional<std::string>(value->dump()) : std::nullopt);
}

bool LivePage::SetConfigItem(const std::string& name, std::string_view text) {
  messages_.clear();
  std::string config;
  try {
    config = WithConfigItem(situation_.config.value_or(""), name, text);
  } catch (const std::invalid_argument& e) {
    return Refused(e.what());
  }
  return Set("/config", json(config).dump(-1, ' ', false, json::error_handler_t::replace));
}

std::string LivePage::ConfigItem(const std::string& name) const {
  return web::ConfigItem(situation_.config.value_or(""), name);
}

bool LivePage::Send(std::string_view input) {
  messages_.clear();
  const json value = json::parse(input, nullptr, false);
  if (value.is_discarded()) return Refused("an input is JSON, such as {\"key\": 35}");
  sim::Situation s;
  try {
    s = sim::ParseSituation(json{{"inputs", json::array({value})}}.dump(-1, ' ', false, json::error_handler_t::replace));
  } catch (const sim::SituationError& e) {
    const std::string at = e.Path().size() > 9 ? e.Path().substr(10) + ": " : "";  // past "/inputs/0/"
    return Refused(at + e.what());
  }
  session_->Send(s.inputs.front());
  return true;
}

bool LivePage::PressTyped(std::string_view text) {
  std::optional<json> key;
  try {
    key = TypedValue(text);
  } catch (const std::invalid_argument& e) {
    return Refused(std::string("key: ") + e.what());
  }
  if (!key) return Refused("key: type a key code, such as 35");
  return Send(json{{"key", *key}}.dump(-1, ' ', false, json::error_handler_t::replace));
}

bool LivePage::ButtonEvent(int bt, int event) {
  messages_.clear();
  if (bt < 0 || bt >= sim::kButtons) return Refused("button " + std::to_string(bt) + ": buttons are 0 to 11");
  if (event != sim::kButtonDown && event != sim::kButtonHeld && event != sim::kButtonUp)
    return Refused("button event " + std::to_string(event) + ": events are 1 down, 16 held and 4 up");
  session_->Opened().ConsumeButton(bt, event);
  return true;
}

void LivePage::Refresh() {
  messages_.clear();
  labels_.clear();
  for (int bt = 0; bt < sim::kButtons; ++bt) {
    const char* label = session_->Opened().ButtonLabel(bt);
    labels_.push_back(label ? std::optional<std::string>(label) : std::nullopt);
  }
  sim::Host& host = sim::TheHost();
  host.trace.Clear();
  host.trace.Enable(true);
  session_->Refresh();
  host.trace.Enable(false);
  CopyOut();
  for (const std::string& fault : host.faults) messages_ += (messages_.empty() ? "" : "\n") + ("host fault: " + fault);
  host.faults.clear();
}

std::string LivePage::TraceText() const { return sim::TheHost().trace.Text(); }

std::string LivePage::LabelsJson() const {
  json labels = json::array();
  for (const auto& label : labels_) labels.push_back(label ? json(*label) : json(nullptr));
  return labels.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string LivePage::MenuJson() {
  const VhMenuEntry* menu = nullptr;
  const int n = session_->Opened().ButtonMenu(&menu);
  json entries = json::array();
  for (int i = 0; menu && i < n && i < sim::kButtons; ++i) {
    const auto text = [](const char* s) { return s ? json(s) : json(nullptr); };
    entries.push_back({{"line1", text(menu[i].line1)}, {"line2", text(menu[i].line2)},
                       {"key", menu[i].selchar ? json(std::string(1, menu[i].selchar)) : json(nullptr)}});
  }
  return entries.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string LivePage::ModesJson() const {
  json modes = json::array();
  for (const sim::Mode& m : sim::TheHost().modes)
    if (m.active) modes.push_back({{"name", m.name}, {"key", m.key}});
  return modes.dump(-1, ' ', false, json::error_handler_t::replace);
}

// The raster surface's 0x00BBGGRR pixels as the bytes R, G, B, 255.
void LivePage::CopyOut() {
  const auto& surface = static_cast<const sim::RasterSurface&>(session_->Page());
  rgba_.resize(std::size_t(surface.Width()) * std::size_t(surface.Height()));
  const COLORREF* from = surface.Data();
  for (std::size_t i = 0; i < rgba_.size(); ++i) rgba_[i] = from[i] | 0xFF000000u;
}

const std::uint8_t* LivePage::Pixels() const { return reinterpret_cast<const std::uint8_t*>(rgba_.data()); }
int LivePage::Width() const { return static_cast<const sim::RasterSurface&>(session_->Page()).Width(); }
int LivePage::Height() const { return static_cast<const sim::RasterSurface&>(session_->Page()).Height(); }

}  // namespace web
