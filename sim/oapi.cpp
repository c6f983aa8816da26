// The host simulator operations the host exports to modules.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "host/oapi.h"
#include "sim/host.h"

using sim::Field;
using sim::TheHost;

void InitLib(HINSTANCE module) { TheHost().trace.Add("InitLib %p", static_cast<void*>(module)); }

int Date2Int(char* date) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  int result = 0;
  char month[4] = {};
  int day = 0, year = 0, consumed = 0;
  if (date && std::sscanf(date, "%3s %d %d%n", month, &day, &year, &consumed) == 3 && date[consumed] == '\0' &&
      day >= 1 && day <= 31 && year >= 0 && year <= 9999) {
    for (int m = 0; m < 12; ++m)
      if (std::strcmp(month, kMonths[m]) == 0) result = year * 10000 + (m + 1) * 100 + day;
  }
  TheHost().trace.Add("Date2Int %s -> %d", date ? Field::Text(date, static_cast<int>(std::strlen(date))).c_str() : "null",
                      result);
  return result;
}

int oapiRegisterMFDMode(MFDMODESPEC& record) {
  sim::Host& host = TheHost();
  const int id = host.nextModeId++;
  const std::string name = record.name ? record.name : "";
  host.modes.push_back({id, name, record.key, record.msgproc, true});
  host.trace.Add("oapiRegisterMFDMode %s %u -> %d", Field::Text(name).c_str(), static_cast<unsigned>(record.key), id);
  return id;
}

bool oapiUnregisterMFDMode(int mode) {
  sim::Host& host = TheHost();
  bool withdrawn = false;
  for (sim::Mode& m : host.modes) {
    if (m.id == mode && m.active) {
      m.active = false;
      withdrawn = true;
    }
  }
  host.trace.Add("oapiUnregisterMFDMode %d -> %s", mode, withdrawn ? "true" : "false");
  return withdrawn;
}

FILEHANDLE oapiOpenFile(const char* fname, FileAccessMode mode, PathRoot root) {
  sim::Host& host = TheHost();
  FILEHANDLE handle = nullptr;
  if (fname && mode == FILE_IN) {
    std::ifstream in(host.configDir + '/' + fname, std::ios::binary);
    if (in) {
      std::ostringstream text;
      text << in.rdbuf();
      const std::uintptr_t id = host.nextFile++;
      host.openFiles.emplace(id, sim::ConfigFile::Parse(text.str()));
      handle = reinterpret_cast<FILEHANDLE>(id);
    }
  }
  host.trace.Add("oapiOpenFile %s %d %d -> %s",
                 fname ? Field::Text(fname, static_cast<int>(std::strlen(fname))).c_str() : "null", mode, root,
                 handle ? "handle" : "null");
  return handle;
}

void oapiCloseFile(FILEHANDLE f, FileAccessMode mode) {
  sim::Host& host = TheHost();
  const bool open = host.openFiles.erase(reinterpret_cast<std::uintptr_t>(f)) > 0;
  host.trace.Add("oapiCloseFile %s %d", open ? "handle" : "null", mode);
}

bool oapiReadItem_float(FILEHANDLE f, char* item, double& val) {
  sim::Host& host = TheHost();
  const auto file = host.openFiles.find(reinterpret_cast<std::uintptr_t>(f));
  const bool read = item && file != host.openFiles.end() && file->second.ReadFloat(item, &val);
  if (host.trace.Enabled()) {
    const std::string key = item ? Field::Text(item, static_cast<int>(std::strlen(item))) : "null";
    host.trace.Add("oapiReadItem_float %s -> %s", key.c_str(), read ? Field::Number(val).c_str() : "false");
  }
  return read;
}

int oapiCockpitMode() {
  const int mode = TheHost().cockpitMode;
  TheHost().trace.Add("oapiCockpitMode -> %d", mode);
  return mode;
}

VESSEL* oapiGetFocusInterface() {
  TheHost().trace.Add("oapiGetFocusInterface");
  return TheHost().focus;
}

int oapiGetFocusAttitudeMode() {
  const int mode = TheHost().attitudeMode;
  TheHost().trace.Add("oapiGetFocusAttitudeMode -> %d", mode);
  return mode;
}
