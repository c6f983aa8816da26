// vitals-sim's work, the same on every platform: read a situation, run the
// module for it in the stand-in host, and write the page and the session's trace.
#pragma once

#include <filesystem>
#include <string>

namespace sim {

// What differs between the platforms' programs.
struct Platform {
  const char* moduleFile;               // the module's file name beside the program
  std::filesystem::path programFolder;  // empty when it cannot be found
};

// Runs `vitals-sim render ...`; returns the exit status: 0 done, 1 host fault
// or failed session, 2 bad input. Messages go to standard error.
int RenderMain(int argc, char** argv, const Platform& platform);

}  // namespace sim
