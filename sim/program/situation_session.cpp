#include "sim/program/situation_session.h"

#include "sim/core/host.h"

namespace sim {
namespace {

std::uint32_t Side(int pixels) { return static_cast<std::uint32_t>(pixels); }

}  // namespace

SituationSession::SituationSession(const std::string& modulePath, const Situation& start)
    : session_(modulePath, Side(DisplaySizeOf(start).width), Side(DisplaySizeOf(start).height)) {
  Apply(start);
  for (const Input& input : start.inputs) Send(input);
}

void SituationSession::Apply(const Situation& s) {
  Host& host = TheHost();
  const DisplaySize size = DisplaySizeOf(s);
  const bool reopen = !page_ || size.width != size_.width || size.height != size_.height ||
                      s.cockpitMode != host.cockpitMode || s.config != host.config;
  host.cockpitMode = s.cockpitMode;
  host.attitudeMode = s.attitudeMode;
  host.config = s.config;
  session_.Focus() = s.vessel;
  if (!reopen) return;
  page_ = MakePageSurface(size.width, size.height);
  size_ = size;
  session_.OpenDisplay(Side(size.width), Side(size.height), Side(page_->CharWidth()), Side(page_->CharHeight()));
}

void SituationSession::Send(const Input& input) {
  if (input.kind == Input::kKey) {
    Opened().ConsumeKeyBuffered(input.code);
    return;
  }
  const int bt = static_cast<int>(input.code);
  Opened().ConsumeButton(bt, kButtonDown);
  Opened().ConsumeButton(bt, kButtonUp);
}

void SituationSession::Refresh() { Opened().Update(*page_); }

}  // namespace sim
