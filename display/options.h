// Module-wide values shared by every display in the mode.
#pragma once

// DisplayOptions: toggled by keys and buttons, read at every refresh.
extern bool showDescriptions;
extern bool logExhausts;

// Sizing values re-read from the host configuration at every construction.
extern double configGenericMfdSize;
extern double configPanelScale;
