// Configuration files: any text is read without harm, and a key reads the same
// whatever its case and whatever follows its first item.
// Input: the file's text, then optionally a NUL and a key of the fuzzer's own.
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

// Reads key from file; a failed read leaves the value as it was.
bool Read(const sim::ConfigFile& file, std::string_view key, double* value) {
  constexpr double kUntouched = -12345.25;
  double v = kUntouched;
  const bool found = file.ReadFloat(key, &v);
  if (!found && !Same(v, kUntouched)) Broken("a failed read wrote the value", key);
  *value = v;
  return found;
}

std::string Flipped(std::string_view key) {
  std::string out(key);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    else if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

void Check(std::string_view text, std::string_view key) {
  const sim::ConfigFile file = sim::ConfigFile::Parse(text);
  double value = 0;
  const bool found = Read(file, key, &value);

  double again = 0;
  if (Read(file, Flipped(key), &again) != found || (found && !Same(again, value)))
    Broken("the key reads differently in another case", key);

  // The first item of a name wins: a later line of the same name changes nothing.
  std::string longer(text);
  longer += "\n";
  longer += key;
  longer += " = 42\n";
  const bool stillFound = Read(sim::ConfigFile::Parse(longer), key, &again);
  if (found && (!stillFound || !Same(again, value))) Broken("a later item overrode the first", key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t nul = input.find('\0');
  const std::string_view text = input.substr(0, nul);
  const std::string_view own = nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);
  for (const std::string_view key : {std::string_view("GenericMFDSize"), std::string_view("PanelScale"),
                                     std::string_view("MFDSize"), std::string_view(""), own})
    Check(text, key);
  return 0;
}
