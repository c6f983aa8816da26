// The host's display base classes. The host constructs nothing of the
// module's: it asks the mode's message procedure for an instance, calls its
// virtual operations on its own thread, and deletes it through the virtual
// destructor when the display leaves the mode.
#pragma once

#include "host/oapi.h"

// One button-menu entry; texts stay valid while the module is loaded.
struct MFDBUTTONMENU {
  const char* line1;
  const char* line2;  // may be null
  char selchar;
};

class OAPIFUNC MFD {
 public:
  MFD(DWORD w, DWORD h, VESSEL* vessel);
  virtual ~MFD();
  // Redraws the whole display on hDC.
  virtual void Update(HDC hDC) = 0;
  // A buffered key (scan code set 1); true if consumed.
  virtual bool ConsumeKeyBuffered(DWORD key);
  // Keyboard state snapshot; true if consumed.
  virtual bool ConsumeKeyImmediate(char* kstate);
  // Button bt with event flags (bit 0: pressed); true if consumed.
  virtual bool ConsumeButton(int bt, int event);
  // Label of button bt, or null for none.
  virtual char* ButtonLabel(int bt);
  // Entry count; the table's address is stored in *menu when menu is not null.
  virtual int ButtonMenu(const MFDBUTTONMENU** menu) const;
  virtual void ReadStatus(FILEHANDLE scn);
  virtual void WriteStatus(FILEHANDLE scn) const;
  virtual void StoreStatus() const;
  virtual void RecallStatus();

 protected:
  // Writes the title in the host's title colour and leaves that colour set.
  void Title(HDC hDC, const char* title) const;
  // Selects host default pen 1, 2 or 3; returns the previous pen.
  HPEN SelectDefaultPen(HDC hDC, DWORD i) const;
  // Selects host default font 1; returns the previous font.
  HFONT SelectDefaultFont(HDC hDC, DWORD i) const;

  DWORD W, H;
  VESSEL* pV;
};

// A display drawing on a graphics surface.
class OAPIFUNC GraphMFD : public MFD {
 public:
  GraphMFD(DWORD w, DWORD h, VESSEL* vessel);
  ~GraphMFD() override;
};
