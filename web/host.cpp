// The page's host: one LivePage for the page's script, through plain C
// calls. Strings come in as UTF-8 and go out as UTF-8 held until the next call
// of the same kind; a call that refuses returns 0 with its reason in
// vitals_messages().
#include <emscripten/emscripten.h>

#include <cmath>
#include <exception>

#include <nlohmann/json.hpp>

#include "sim/program/scenario.h"
#include "web/live_page.h"

namespace {

web::LivePage page;
bool loaded = false;
std::string messages;  // of the last call, when it failed outside the session
std::string text;      // the last text handed out

// Runs a call on the loaded session; anything thrown becomes its message.
template <typename Call>
int Run(Call call) {
  messages.clear();
  if (!loaded) {
    messages = "no situation is loaded";
    return 0;
  }
  try {
    return call() ? 1 : 0;
  } catch (const std::exception& e) {
    messages = e.what();
    return 0;
  }
}

// Once per instance: the module's state is fresh only in a fresh instance.
template <typename Open>
int Opened(Open open) {
  messages.clear();
  if (loaded) {
    messages = "a situation is loaded in a fresh instance of the page's host";
    return 0;
  }
  loaded = open();
  return loaded ? 1 : 0;
}

const char* Out(std::string s) {
  text = std::move(s);
  return text.c_str();
}

// "FILE:LINE" of a scenario, or FILE alone for line 0.
std::string At(std::string_view file, int line) {
  return std::string(file) + (line > 0 ? ":" + std::to_string(line) : "");
}

// A scenario's start as {situation, recording, notes}: recording is the path
// the host plays the focus vessel's flight from, under the simulator's
// folder (null without FLIGHTDATA); notes are its warnings, "FILE:LINE: ...".
std::string ScenarioJson(std::string_view s, std::string_view file) {
  const std::string_view name = file.substr(0, file.size() - (file.ends_with(".scn") ? 4 : 0));
  const sim::Scenario scenario = sim::ParseScenario(s, name, sim::kModeName);
  nlohmann::json out = {{"situation", nlohmann::json::parse(sim::SituationJson(scenario.situation))},
                        {"recording", nullptr}, {"notes", nlohmann::json::array()}};
  if (scenario.flightData) out["recording"] = "Flights/" + scenario.playback + "/" + scenario.focus + ".atc";
  for (const sim::ScenarioNote& note : scenario.notes) out["notes"].push_back(At(file, note.line) + ": " + note.text);
  return out.dump();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int vitals_load(const char* s, std::size_t n) {
  return Opened([&] { return page.Load({s, n}); });
}
EMSCRIPTEN_KEEPALIVE int vitals_play(const char* r, std::size_t rn, const char* s, std::size_t sn) {
  return Opened([&] { return page.Play({r, rn}, {s, sn}); });
}

EMSCRIPTEN_KEEPALIVE int vitals_play_read(const char* r, std::size_t rn, const char* p, std::size_t pn, const char* s,
                                          std::size_t sn) {
  return Opened([&] { return page.PlayRead({r, rn}, {p, pn}, {s, sn}); });
}
// A scenario's text and its file name (without folder) as ScenarioJson gives
// it; null when refused, with "FILE:LINE: why" in vitals_messages(). Needs no
// situation loaded and leaves the loaded one as it is.
EMSCRIPTEN_KEEPALIVE const char* vitals_scenario(const char* s, std::size_t n, const char* f, std::size_t fn) {
  messages.clear();
  try {
    return Out(ScenarioJson({s, n}, {f, fn}));
  } catch (const sim::ScenarioError& e) {
    messages = At({f, fn}, e.Line()) + ": " + e.what();
  } catch (const std::exception& e) {
    messages = std::string(f, fn) + ": " + e.what();
  }
  return nullptr;
}

// The recording as read, vitals_text_size() bytes, for vitals_play_read in another instance.
EMSCRIPTEN_KEEPALIVE const char* vitals_flight_packed() { return Out(loaded ? page.FlightPacked() : ""); }
EMSCRIPTEN_KEEPALIVE std::size_t vitals_text_size() { return text.size(); }

EMSCRIPTEN_KEEPALIVE int vitals_seek(double t) {
  return Run([&] { return page.Seek(t); });
}
EMSCRIPTEN_KEEPALIVE double vitals_due(double t) { return loaded ? page.Due(t) : std::nan(""); }
EMSCRIPTEN_KEEPALIVE double vitals_time() { return loaded ? page.Time() : std::nan(""); }
EMSCRIPTEN_KEEPALIVE double vitals_event_refresh(int direction) { return loaded ? page.EventRefresh(direction) : std::nan(""); }
EMSCRIPTEN_KEEPALIVE const char* vitals_flight(int events) {
  return Out(loaded && events >= 0 ? page.FlightJson(std::size_t(events)) : "null");
}

EMSCRIPTEN_KEEPALIVE int vitals_set(const char* pointer, const char* value) {
  return Run([&] { return page.Set(pointer, value ? std::optional<std::string>(value) : std::nullopt); });
}
EMSCRIPTEN_KEEPALIVE int vitals_set_typed(const char* pointer, const char* typed) {
  return Run([&] { return page.SetTyped(pointer, typed); });
}
EMSCRIPTEN_KEEPALIVE int vitals_set_config_item(const char* name, const char* typed) {
  return Run([&] { return page.SetConfigItem(name, typed); });
}
EMSCRIPTEN_KEEPALIVE int vitals_send(const char* input) {
  return Run([&] { return page.Send(input); });
}
EMSCRIPTEN_KEEPALIVE int vitals_press_typed(const char* typed) {
  return Run([&] { return page.PressTyped(typed); });
}
EMSCRIPTEN_KEEPALIVE int vitals_button_event(int bt, int event) {
  return Run([&] { return page.ButtonEvent(bt, event); });
}
EMSCRIPTEN_KEEPALIVE int vitals_refresh() {
  return Run([&] {
    page.Refresh();
    return page.Messages().empty();
  });
}

EMSCRIPTEN_KEEPALIVE const char* vitals_messages() { return messages.empty() ? page.Messages().c_str() : messages.c_str(); }
EMSCRIPTEN_KEEPALIVE const std::uint8_t* vitals_pixels() { return loaded ? page.Pixels() : nullptr; }
EMSCRIPTEN_KEEPALIVE int vitals_width() { return loaded ? page.Width() : 0; }
EMSCRIPTEN_KEEPALIVE int vitals_height() { return loaded ? page.Height() : 0; }
EMSCRIPTEN_KEEPALIVE const char* vitals_trace() { return Out(loaded ? page.TraceText() : ""); }
EMSCRIPTEN_KEEPALIVE const char* vitals_situation() { return Out(loaded ? page.SituationText() : "{}"); }
EMSCRIPTEN_KEEPALIVE const char* vitals_labels() { return Out(loaded ? page.LabelsJson() : "[]"); }
EMSCRIPTEN_KEEPALIVE const char* vitals_menu() { return Out(loaded ? page.MenuJson() : "[]"); }
EMSCRIPTEN_KEEPALIVE const char* vitals_modes() { return Out(loaded ? page.ModesJson() : "[]"); }
EMSCRIPTEN_KEEPALIVE const char* vitals_config_item(const char* name) { return Out(loaded ? page.ConfigItem(name) : ""); }
EMSCRIPTEN_KEEPALIVE const char* vitals_defaults() { return Out(web::DefaultFields().dump()); }

}
