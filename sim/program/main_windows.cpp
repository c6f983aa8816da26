// Windows: vitals-sim run by Orbiter.exe, which hands over its ABI calls.
// Same command line and situation files as the Linux program.
#include <windows.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "sim/core/host_core.h"
#include "sim/program/launchpad_windows.h"
#include "sim/program/render.h"

namespace {

// The process's command line as the C runtime would split it.
std::vector<std::string> Arguments() {
  int argc = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::string> args;
  for (int i = 0; wide && i < argc; ++i) {
    const int n = WideCharToMultiByte(CP_ACP, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<std::size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide[i], -1, arg.data(), n, nullptr, nullptr);
    arg.resize(arg.size() - 1);
    args.push_back(arg);
  }
  LocalFree(wide);
  return args;
}

}  // namespace

// Called once by Orbiter.exe's entry on the process's one thread; returns the
// exit status, having flushed the output.
extern "C" int vh_run_program(const VhAbiCalls* calls) {
  vh_set_abi_calls(calls);
  // A module that cannot be loaded is reported on standard error, never in a dialog box.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  std::vector<std::string> args = Arguments();
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  char self[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
  const sim::Platform platform = {
      "Vitals.dll", n > 0 && n < MAX_PATH ? std::filesystem::path(self).parent_path() : std::filesystem::path()};
  CLI::App app("The Vitals MFD page in a stand-in Orbiter host", "Orbiter.exe");
  int status = 0;
  sim::AddRenderCommand(app, platform, &status);
  sim::AddModulesCommand(app, platform, &status);
  status = sim::RunCommands(app, static_cast<int>(args.size()), argv.data(), &status);
  std::cout.flush();
  std::cerr.flush();
  return status;
}
