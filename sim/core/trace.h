// The call trace: one line per call between the module and the host.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

class Trace {
 public:
  void Enable(bool on) { enabled_ = on; }
  bool Enabled() const { return enabled_; }
  // Appends one line, built printf-style, when enabled.
  void Add(const char* format, ...) __attribute__((format(printf, 2, 3)));
  const std::vector<std::string>& Lines() const { return lines_; }
  void Clear() { lines_.clear(); }
  // The whole trace, one line per call, each ending in a newline.
  std::string Text() const;

 private:
  bool enabled_ = false;
  std::vector<std::string> lines_;
};

// Field formats shared by every trace line.
struct Field {
  // 0x followed by lowercase hex digits.
  static std::string Pointer(const void* p);
  // 0x00BBGGRR, eight uppercase hex digits.
  static std::string Colour(std::uint32_t c);
  // %.17g; nan, inf and -inf spelled out.
  static std::string Number(double v);
  // Quoted, with " and \ escaped and other non-printable bytes as \xHH.
  static std::string Text(const char* text, int len);
  static std::string Text(std::string_view text) { return Text(text.data(), static_cast<int>(text.size())); }
};

}  // namespace sim
