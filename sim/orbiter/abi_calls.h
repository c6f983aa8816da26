// The ABI face's calls into a module's objects, handed to the core.
#pragma once

#include "sim/core/host_core.h"

extern const VhAbiCalls kAbiCalls;
