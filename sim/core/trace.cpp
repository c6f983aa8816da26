#include "sim/core/trace.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace sim {

void Trace::Add(const char* format, ...) {
  if (!enabled_) return;
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string line(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  std::vsnprintf(line.data(), line.size() + 1, format, args);
  va_end(args);
  lines_.push_back(std::move(line));
}

std::string Trace::Text() const {
  std::string text;
  for (const std::string& line : lines_) text += line + '\n';
  return text;
}

std::string Field::Pointer(const void* p) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "0x%llx", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(p)));
  return buf;
}

std::string Field::Colour(std::uint32_t c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(c));
  return buf;
}

std::string Field::Number(double v) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

std::string Field::Text(const char* text, int len) {
  std::string out = "\"";
  for (int i = 0; i < len; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + '"';
}

}  // namespace sim
