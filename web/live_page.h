// The live page's session: the module loaded once and its display kept open
// while the page edits the situation field by field, types keys and clicks
// buttons. Each change is checked by the situation loader's own rules; a
// refused one leaves the situation and the session as they were.
#pragma once

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/program/situation_session.h"
#include "web/document.h"
#include "web/flight_timeline.h"

namespace web {

class LivePage {
 public:
  // Each returns false, with the reason in Messages(), when it refuses.
  // Opens the session for text, parsed as vitals-sim does, and refreshes the
  // display. Once per process: the module's own state starts fresh only in a
  // fresh instance.
  bool Load(std::string_view text);
  // Opens the session for a recording and its start situation, parsed as
  // vitals-sim play does, at its first refresh time and refreshes the
  // display. Once per process, as Load.
  bool Play(std::string_view recording, std::string_view start);
  // Play of a recording read in another instance of this binary: packed is
  // its FlightPacked() there.
  bool PlayRead(std::string_view recording, std::string_view packed, std::string_view start);
  // The recording loaded as read (FlightTimeline::Packed), or nothing.
  std::string FlightPacked() const { return flight_ ? flight_->Packed() : ""; }
  // Applies the situation of the recording's refresh due at t.
  bool Seek(double t);
  // The recording's refresh time due at t, and the current one; NaN without
  // a recording.
  double Due(double t) const;
  double Time() const;
  // FlightTimeline::EventRefresh, or NaN without a recording.
  double EventRefresh(int direction) const { return flight_ ? flight_->EventRefresh(direction) : std::nan(""); }
  // The recording's times and its last n events applied (FlightTimeline::Json),
  // or null.
  std::string FlightJson(std::size_t n) const { return flight_ ? flight_->Json(n) : "null"; }
  // One field by JSON pointer: value is JSON text, or none to remove it.
  // Refused while a recording is loaded: the situation follows it.
  bool Set(const std::string& pointer, const std::optional<std::string>& value);
  // One field as typed in a text box (TypedValue).
  bool SetTyped(const std::string& pointer, std::string_view text);
  // An Orbiter.cfg item of the situation's configuration, as typed.
  bool SetConfigItem(const std::string& name, std::string_view text);
  // A situation's input, as JSON text: {"key": code} or {"button": bt}.
  bool Send(std::string_view input);
  // A key code as typed in a text box.
  bool PressTyped(std::string_view text);
  // One mouse event on button bt (0 to 11): 0x01 down, 0x10 held, 0x04 up.
  bool ButtonEvent(int bt, int event);
  // Reads the buttons' labels, then refreshes the display with only this
  // refresh traced, and copies its pixels out as RGBA.
  void Refresh();

  const std::string& Messages() const { return messages_; }
  std::string ConfigItem(const std::string& name) const;
  // With a recording, the situation at its current refresh time.
  std::string SituationText() const;
  std::string TraceText() const;
  // The labels read at the last refresh, the button menu and the modes, as JSON.
  std::string LabelsJson() const;
  std::string MenuJson();
  std::string ModesJson() const;
  // The last refresh's pixels, RGBA rows top to bottom.
  const std::uint8_t* Pixels() const;
  int Width() const;
  int Height() const;

 private:
  bool Refused(std::string message);
  // The situation of text; none, with the loader's message, when it refuses.
  std::optional<sim::Situation> Parsed(std::string_view text);
  // The session opened for a checked situation and its document, refreshed.
  bool Open(json doc, const sim::Situation& s);
  // The flight session made by make(start situation) for a start situation's
  // text; none, with the reason, when either refuses.
  template <typename Make>
  std::unique_ptr<FlightTimeline> ParsedFlight(std::string_view start, Make make);
  void CopyOut();
  // Adopts a checked document: the host's values and the display follow it.
  bool Adopt(json doc);

  std::unique_ptr<sim::SituationSession> session_;
  std::unique_ptr<FlightTimeline> flight_;
  std::vector<std::uint32_t> rgba_;  // the last refresh's pixels; little-endian, so R is the low byte
  json doc_;  // with a recording, its start situation
  sim::Situation situation_;
  std::vector<std::optional<std::string>> labels_;
  std::string messages_;
};

}  // namespace web
