// Configuration files: any text is read without harm, and a key reads the same
// whatever its case and whatever follows its first item.
// Input: the file's text, then optionally a NUL and a key of the fuzzer's own.
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "sim/core/config.h"

namespace {

[[noreturn]] void Broken(const char* what, std::string_view key) {
  std::fprintf(stderr, "config_fuzz: %s (key \"%.*s\")\n", what, static_cast<int>(key.size()), key.data());
  std::abort();
}

bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Reads key from the text; a failed read leaves the value as it was.
bool Read(std::string_view text, std::string_view key, double* value) {
  constexpr double kUntouched = -12345.25;
  *value = kUntouched;
  const bool found = sim::ConfigFile::Parse(text).ReadFloat(key, value);
  if (!found && !Same(*value, kUntouched)) Broken("a failed read wrote the value", key);
  return found;
}

void Check(std::string_view text, std::string_view key) {
  double value = 0, again = 0;
  const bool found = Read(text, key, &value);
  std::string flipped(key);
  for (char& c : flipped) {
    const unsigned char u = static_cast<unsigned char>(c);
    c = static_cast<char>(std::isupper(u) ? std::tolower(u) : std::toupper(u));
  }
  if (Read(text, flipped, &again) != found || (found && !Same(again, value)))
    Broken("the key reads differently in another case", key);
  // The first item of a name wins: a later line of the same name changes nothing.
  const std::string longer = std::string(text) + "\n" + std::string(key) + " = 42\n";
  if (found && (!Read(longer, key, &again) || !Same(again, value))) Broken("a later item overrode the first", key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t nul = input.find('\0');
  const std::string_view own = nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);
  for (const std::string_view key : {std::string_view("GenericMFDSize"), std::string_view("PanelScale"),
                                     std::string_view("MFDSize"), std::string_view(""), own})
    Check(input.substr(0, nul), key);
  return 0;
}
