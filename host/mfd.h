// The host's display base classes, laid out as the host's own: the host
// writes cw, ch and its private pointer into every instance after
// construction, and calls the virtual operations by their slot.
//
// The host never constructs a module's display itself: it asks the mode's
// message procedure for an instance, then calls its virtual operations on its
// own thread and deletes it through the virtual destructor when the display
// leaves the mode.
#pragma once

#include "host/oapi.h"

// One button-menu entry; texts stay valid while the module is loaded.
typedef struct {
  const char* line1;
  const char* line2;  // may be null
  char selchar;
} MFDBUTTONMENU;

struct MFDMODESPECEX;

// Message 4's record: the display's size and the mode being opened.
typedef struct {
  int w, h;
  MFDMODESPECEX* spec;
} MFDMODEOPENSPEC;

class OAPIFUNC MFD {
 public:
  MFD(DWORD w, DWORD h, VESSEL* vessel);
  virtual ~MFD();
  // Redraws the whole display on hDC.
  virtual void Update(HDC hDC) = 0;
  // Writes the title in the host's title colour and leaves that colour set.
  void Title(HDC hDC, const char* title) const;
  // Selects host default pen i (0 to 5); returns the previous pen, 0 for another index.
  HPEN SelectDefaultPen(HDC hDC, DWORD i) const;
  // Selects host default font i (0 to 3); returns the previous font, 0 for another index.
  HFONT SelectDefaultFont(HDC hDC, DWORD i) const;

  // A buffered key (scan code set 1); true if consumed.
  virtual bool ConsumeKeyBuffered(DWORD) { return false; }
  // Keyboard state snapshot; true if consumed.
  virtual bool ConsumeKeyImmediate(char*) { return false; }
  // Button bt with event flags (bit 0: pressed); true if consumed.
  virtual bool ConsumeButton(int, int) { return false; }
  // Label of button bt, or null for none.
  virtual char* ButtonLabel(int) { return 0; }
  // Entry count; the table's address is stored in *menu when menu is not null.
  virtual int ButtonMenu(const MFDBUTTONMENU**) const { return 0; }
  // Scenario and display-rebuild status; nothing by default.
  virtual void WriteStatus(FILEHANDLE) const {}
  virtual void ReadStatus(FILEHANDLE) {}
  virtual void StoreStatus() const {}
  virtual void RecallStatus() {}

 protected:
  DWORD W, H;    // display size in pixels
  DWORD cw, ch;  // host font 0's character width and height
  VESSEL* pV;    // the display's vessel

 private:
  void* hostDisplay;  // the host's own record of the display
};

// A display drawing on a graphics surface.
class OAPIFUNC GraphMFD : public MFD {
 public:
  GraphMFD(DWORD w, DWORD h, VESSEL* vessel);
  virtual ~GraphMFD();

 protected:
  int ngraph;
  void* graph;
};
