// The host operations a module calls, behind the ABI face's exports.
#include <cstdio>
#include <cstring>

#include "sim/core/drawing.h"
#include "sim/core/host.h"
#include "sim/core/library.h"
#include "sim/core/look.h"

namespace {

using sim::Field;
using sim::TheHost;

std::string Quoted(const char* text) { return text ? Field::Text(text, static_cast<int>(std::strlen(text))) : "null"; }

}  // namespace

extern "C" {

void vh_init_lib(void* module) {
  sim::Host& host = TheHost();
  host.trace.Add("InitLib %s", Field::Pointer(module).c_str());
  if (const auto version = sim::FindExport(module, kGetModuleVersion)) {
    host.trace.Add("> GetModuleVersion");
    const int n = version();
    host.trace.Add("version %d", n);
  }
  for (const auto& routine : kStartUpRoutines) {
    if (const auto init = sim::FindExport(module, routine)) {
      host.trace.Add("> %s", routine.name);
      init(static_cast<HINSTANCE>(module));
      return;
    }
  }
}

int vh_date_to_int(const char* date) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  int result = 0;
  char month[4] = {};
  int day = 0, year = 0, consumed = 0;
  if (date && std::sscanf(date, "%3s %d %d%n", month, &day, &year, &consumed) == 3 && date[consumed] == '\0' &&
      day >= 1 && day <= 31 && year >= 0 && year <= 9999) {
    for (int m = 0; m < 12; ++m)
      if (std::strcmp(month, kMonths[m]) == 0) result = year % 100 * 10000 + (m + 1) * 100 + day;
  }
  TheHost().trace.Add("Date2Int %s -> %d", Quoted(date).c_str(), result);
  return result;
}

int vh_register_mode(const char* name, unsigned key, void* msgproc) {
  sim::Host& host = TheHost();
  const int id = host.nextModeId++;
  host.modes.push_back({id, name ? name : "", key, msgproc, true});
  host.trace.Add("oapiRegisterMFDMode %s %u -> %d", Field::Text(host.modes.back().name).c_str(), key, id);
  return id;
}

int vh_unregister_mode(int mode) {
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

void* vh_open_file(const char* name, int access, int root) {
  constexpr int kFileIn = 0;
  sim::Host& host = TheHost();
  void* handle = nullptr;
  if (name && access == kFileIn && host.config && std::strcmp(name, "Orbiter.cfg") == 0) {
    const std::uintptr_t id = host.nextFile++;
    host.openFiles.emplace(id, sim::ConfigFile::Parse(*host.config));
    handle = reinterpret_cast<void*>(id);
  }
  host.trace.Add("oapiOpenFile %s %d %d -> %s", Quoted(name).c_str(), access, root, handle ? "handle" : "null");
  return handle;
}

void vh_close_file(void* file, int access) {
  sim::Host& host = TheHost();
  const bool open = host.openFiles.erase(reinterpret_cast<std::uintptr_t>(file)) > 0;
  host.trace.Add("oapiCloseFile %s %d", open ? "handle" : "null", access);
}

int vh_read_float(void* file, const char* item, double* value) {
  sim::Host& host = TheHost();
  const auto f = host.openFiles.find(reinterpret_cast<std::uintptr_t>(file));
  const bool read = item && f != host.openFiles.end() && f->second.ReadFloat(item, value);
  if (host.trace.Enabled())
    host.trace.Add("oapiReadItem_float %s -> %s", Quoted(item).c_str(), read ? Field::Number(*value).c_str() : "false");
  return read;
}

int vh_cockpit_mode() {
  const int mode = TheHost().cockpitMode;
  TheHost().trace.Add("oapiCockpitMode -> %d", mode);
  return mode;
}

void* vh_focus_vessel() {
  TheHost().trace.Add("oapiGetFocusInterface");
  return TheHost().focus ? TheHost().focus->Interface() : nullptr;
}

int vh_focus_attitude_mode() {
  const int mode = TheHost().attitudeMode;
  TheHost().trace.Add("oapiGetFocusAttitudeMode -> %d", mode);
  return mode;
}

void vh_display_constructed(unsigned w, unsigned h) { TheHost().trace.Add("GraphMFD %u %u", w, h); }

void vh_title(void* dc, const char* title, int x) {
  sim::Host& host = TheHost();
  if (host.trace.Enabled()) host.trace.Add("Title %s", Field::Text(title ? title : "").c_str());
  if (!title) return;
  DrawingSurface* surface = sim::drawing::Target(dc, "Title");
  if (!surface) return;
  surface->SetTextColor(sim::kTitleColour);
  surface->TextOut(x, 0, title, static_cast<int>(std::strlen(title)));
}

void vh_select_default_pen(void* dc, unsigned index) {
  TheHost().trace.Add("SelectDefaultPen %u", index);
  if (DrawingSurface* surface = sim::drawing::Target(dc, "SelectDefaultPen"))
    surface->SelectPen(static_cast<int>(index));
}

void vh_select_default_font(void* dc, unsigned index) {
  TheHost().trace.Add("SelectDefaultFont %u", index);
  if (DrawingSurface* surface = sim::drawing::Target(dc, "SelectDefaultFont"))
    surface->SelectFont(static_cast<int>(index));
}
}
