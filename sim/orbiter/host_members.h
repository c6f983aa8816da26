// The members of a display object that belong to the host.
#pragma once

#include "host/mfd.h"

// Written by the host right after the module constructs a display: its own
// record of the display and host font 0's character width and height.
void SetHostMembers(MFD& display, void* record, DWORD cw, DWORD ch);
