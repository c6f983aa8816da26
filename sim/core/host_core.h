/* The host core's plain C interface: the operations the host's C++ ABI face
   (sim/orbiter) forwards to the core, and the table of ABI calls the core
   makes into a module's objects through that face. C types only, so that the
   face can be built in the host's ABI and the core in another (on Windows,
   Orbiter.exe by clang in MSVC mode and vitals-host.dll by MinGW).
   Everything runs on the host's one thread; handles are the core's records,
   passed through the face untouched. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/* One button-menu entry, laid out as the host's MFDBUTTONMENU. */
typedef struct {
  const char* line1;
  const char* line2;
  char selchar;
} VhMenuEntry;

/* What only the host's ABI can do: construct its vessel interface, call a
   mode's message procedure, and make the virtual calls into a module's display
   instance. Instances are MFD objects the module allocated. */
typedef struct {
  /* A VESSEL whose handle is the core's vessel record; deleted by delete_vessel. */
  void* (*new_vessel)(void* record);
  void (*delete_vessel)(void* vessel);
  /* Message 4 (wparam: the address of an MFDMODEOPENSPEC of w, h) or message 1
     (wparam: w | h << 16, lparam: vessel); the instance returned, or null. */
  void* (*open_display)(void* msgproc, unsigned msg, int w, int h, void* vessel);
  /* Checks the instance against the host's newer display class (dynamic_cast
     inside try/catch), then writes the host's own members into it: the host's
     display record and font 0's character width and height. 1 when the
     instance is of the newer class. */
  int (*adopt_display)(void* instance, void* record, unsigned cw, unsigned ch);
  void (*read_status)(void* instance);
  void (*update)(void* instance, void* dc);
  int (*consume_key)(void* instance, unsigned key);
  int (*consume_button)(void* instance, int bt, int event);
  const char* (*button_label)(void* instance, int bt);
  int (*button_menu)(void* instance, const VhMenuEntry** menu);
  /* delete through the virtual destructor. */
  void (*delete_display)(void* instance);
} VhAbiCalls;

/* Hands the core the face's ABI calls; done once, before any session. */
void vh_set_abi_calls(const VhAbiCalls* calls);

/* Host library start-up for the module whose handle is given: logs its
   GetModuleVersion, then calls its InitModule, else its opcDLLInit. */
void vh_init_lib(void* module);
/* "Mmm dd yyyy" as (yyyy % 100) * 10000 + month * 100 + day; 0 when malformed. */
int vh_date_to_int(const char* date);

int vh_register_mode(const char* name, unsigned key, void* msgproc);
int vh_unregister_mode(int mode);

void* vh_open_file(const char* name, int access, int root);
void vh_close_file(void* file, int access);
int vh_read_float(void* file, const char* item, double* value);

int vh_cockpit_mode(void);
void* vh_focus_vessel(void);
int vh_focus_attitude_mode(void);

/* Vessel queries; vessel is the core's record behind a VESSEL. */
unsigned vh_flight_status(void* vessel);
unsigned vh_adc_mode(void* vessel);
int vh_navmode_state(void* vessel, int mode);
double vh_control_surface_level(void* vessel, int type);
double vh_thruster_level(void* vessel, void* thruster);
double vh_wheelbrake_level(void* vessel, int which);
unsigned vh_group_thruster_count(void* vessel, int group);
void* vh_group_thruster(void* vessel, int group, unsigned index);

/* The display base's operations on a device context. */
void vh_display_constructed(unsigned w, unsigned h);
/* The title at (x, 0) in the host's title colour, which stays set. */
void vh_title(void* dc, const char* title, int x);
void vh_select_default_pen(void* dc, unsigned index);
void vh_select_default_font(void* dc, unsigned index);

/* Windows: vitals-sim with the process's command line, the ABI calls handed
   over first; returns the exit status. */
int vh_run_program(const VhAbiCalls* calls);

#ifdef __cplusplus
}
#endif
