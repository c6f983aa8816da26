#include "sim/core/text.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace sim {

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    lines.push_back(text.substr(0, eol));
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
  }
  return lines;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

std::optional<double> ReadNumber(std::string_view text) {
  if (text.empty() || text.size() > 64) return std::nullopt;
  char copy[65];
  text.copy(copy, text.size());
  copy[text.size()] = '\0';
  char* end = nullptr;
  const double value = std::strtod(copy, &end);
  if (end != copy + text.size()) return std::nullopt;
  return value;
}

std::string ShortestNumber(double v) {
  char text[32] = "";
  for (int digits = 1; digits <= 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, v);
    if (std::strtod(text, nullptr) == v) break;
  }
  return text;
}

std::string Printable(std::string_view text, std::size_t most) {
  constexpr std::string_view kCut = "...";
  std::string out;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    char piece[5] = {ch, '\0'};
    if (c < 0x20 || c == 0x7F) std::snprintf(piece, sizeof piece, "\\x%02x", c);
    out += piece;
    if (out.size() > most + kCut.size()) break;  // enough to know it is cut
  }
  if (out.size() <= most) return out;
  std::size_t keep = most > kCut.size() ? most - kCut.size() : 0;
  // Back off to the start of an escape cut through.
  const std::size_t escape = out.rfind("\\x", keep);
  if (escape != std::string::npos && escape + 4 > keep) keep = escape;
  return out.substr(0, keep) + std::string(kCut);
}

}  // namespace sim
