// Linkage of the host's operations: the host exports them, the module imports them.
#pragma once

#if defined(_WIN32)
#if defined(VITALS_HOST_BUILD)
#define OAPIFUNC __declspec(dllexport)
#else
#define OAPIFUNC __declspec(dllimport)
#endif
#define DLLEXPORT __declspec(dllexport)
#else
#define OAPIFUNC __attribute__((visibility("default")))
#define DLLEXPORT __attribute__((visibility("default")))
#endif
