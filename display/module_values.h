// Module-wide values, one copy per loaded module, shared by every display in
// the mode; defined in vitals_mfd.cpp.
#pragma once

#include "host/gdi.h"

// The display options: toggled by keys and buttons, read at every refresh.
extern bool showDescriptions;
extern bool logExhausts;

// Sizing values re-read from the host configuration at every construction.
extern double configGenericMfdSize;
extern double configPanelScale;

// The simulator's render window, written by opcOpenRenderViewport; the
// page's paint bracket opens on it.
extern HWND renderWindow;
