// Drawing-surface contract: the GDI and USER operations the page draws with.
// On Windows these are the platform's own, declared here as <windows.h>
// declares them; elsewhere the stand-in host exports them with the same names
// and signatures, and its device contexts are as opaque as Windows' are.
#pragma once

#include "host/export.h"

#if defined(__MINGW32__)

// The stand-in host's core, built for Windows with MinGW: the platform's own.
#include <windows.h>

#else

#ifdef _WIN32

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned int UINT;
typedef unsigned long DWORD;
typedef long LONG;
typedef void* LPVOID;
typedef const char* LPCSTR;
#ifdef _WIN64
typedef unsigned long long WPARAM;
typedef long long LPARAM;
typedef long long LRESULT;
#else
typedef unsigned int WPARAM;
typedef long LPARAM;
typedef long LRESULT;
#endif
typedef DWORD COLORREF;  // 0x00BBGGRR

#define VITALS_DECLARE_HANDLE(name) \
  struct name##__ {                 \
    int unused;                     \
  };                                \
  typedef struct name##__* name
VITALS_DECLARE_HANDLE(HWND);
VITALS_DECLARE_HANDLE(HINSTANCE);
VITALS_DECLARE_HANDLE(HDC);
VITALS_DECLARE_HANDLE(HBRUSH);
VITALS_DECLARE_HANDLE(HPEN);
VITALS_DECLARE_HANDLE(HFONT);
#undef VITALS_DECLARE_HANDLE
typedef void* HGDIOBJ;
typedef int(__stdcall* FARPROC)();

#define WINAPI __stdcall
#define DECLSPEC_IMPORT __declspec(dllimport)

#else

#include <stdint.h>

using BOOL = int;
using BYTE = uint8_t;
using UINT = unsigned int;
using DWORD = uint32_t;  // 32 bits, as on Windows
using LONG = int32_t;
using LPVOID = void*;
using LPCSTR = const char*;
using WPARAM = uintptr_t;  // pointer-sized, as on 64-bit Windows
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using COLORREF = uint32_t;  // 0x00BBGGRR

struct HWND__;
struct HINSTANCE__;
struct HBRUSH__;
struct HPEN__;
struct HFONT__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using HBRUSH = HBRUSH__*;
using HPEN = HPEN__*;
using HFONT = HFONT__*;
using HGDIOBJ = void*;

struct HDC__;
using HDC = HDC__*;  // opaque, as on Windows
using FARPROC = int (*)();

#endif

typedef struct tagRECT {
  LONG left, top, right, bottom;
} RECT;
typedef struct tagPOINT {
  LONG x, y;
} POINT;
typedef struct tagPAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
} PAINTSTRUCT;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) { return COLORREF(r) | COLORREF(g) << 8 | COLORREF(b) << 16; }

#ifdef _WIN32

// As GDI32, USER32 and KERNEL32 export them; what the page relies on of each
// is noted on the stand-in's declarations below.
extern "C" {
DECLSPEC_IMPORT BOOL WINAPI MoveToEx(HDC hdc, int x, int y, POINT* prev);
DECLSPEC_IMPORT BOOL WINAPI LineTo(HDC hdc, int x, int y);
DECLSPEC_IMPORT BOOL WINAPI Polyline(HDC hdc, const POINT* pts, int n);
DECLSPEC_IMPORT BOOL WINAPI Polygon(HDC hdc, const POINT* pts, int n);
DECLSPEC_IMPORT BOOL WINAPI Ellipse(HDC hdc, int l, int t, int r, int b);
DECLSPEC_IMPORT BOOL WINAPI Rectangle(HDC hdc, int l, int t, int r, int b);
DECLSPEC_IMPORT COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF c);
DECLSPEC_IMPORT HBRUSH WINAPI CreateSolidBrush(COLORREF c);
DECLSPEC_IMPORT int WINAPI FillRect(HDC hdc, const RECT* rc, HBRUSH brush);
DECLSPEC_IMPORT BOOL WINAPI DeleteObject(HGDIOBJ obj);
DECLSPEC_IMPORT COLORREF WINAPI SetTextColor(HDC hdc, COLORREF c);
DECLSPEC_IMPORT BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int len);
DECLSPEC_IMPORT HDC WINAPI BeginPaint(HWND wnd, PAINTSTRUCT* ps);
DECLSPEC_IMPORT BOOL WINAPI EndPaint(HWND wnd, const PAINTSTRUCT* ps);
DECLSPEC_IMPORT FARPROC WINAPI GetProcAddress(HINSTANCE module, LPCSTR name);
}

#else

// Each operation: what the page relies on. Results are never examined. A
// refresh's device context comes black, with green text in font 0, pen 0 and
// the null brush: figures are outlines only.
extern "C" {
// Sets the current position; prev may be null.
OAPIFUNC BOOL MoveToEx(HDC hdc, int x, int y, POINT* prev);
// Draws from the current position to (x, y), end point excluded; moves there.
OAPIFUNC BOOL LineTo(HDC hdc, int x, int y);
// Open chain of n points in the current pen; current position unchanged.
OAPIFUNC BOOL Polyline(HDC hdc, const POINT* pts, int n);
// Closed figure of n points, filled with the current brush and outlined.
OAPIFUNC BOOL Polygon(HDC hdc, const POINT* pts, int n);
// Ellipse inscribed in the box, right and bottom exclusive; filled and outlined.
OAPIFUNC BOOL Ellipse(HDC hdc, int l, int t, int r, int b);
// Box outlined in the current pen and filled with the current brush; right and bottom exclusive.
OAPIFUNC BOOL Rectangle(HDC hdc, int l, int t, int r, int b);
// One pixel in the given colour.
OAPIFUNC COLORREF SetPixel(HDC hdc, int x, int y, COLORREF c);
// A new solid brush; the caller deletes it.
OAPIFUNC HBRUSH CreateSolidBrush(COLORREF c);
// Fills left/top inclusive, right/bottom exclusive; an inverted rectangle fills the band between its edges.
OAPIFUNC int FillRect(HDC hdc, const RECT* rc, HBRUSH brush);
// Releases a brush created by CreateSolidBrush.
OAPIFUNC BOOL DeleteObject(HGDIOBJ obj);
// Colour of later text; returns the previous colour.
OAPIFUNC COLORREF SetTextColor(HDC hdc, COLORREF c);
// Writes exactly len bytes of text in the current font and colour; no terminator needed.
OAPIFUNC BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int len);
// Opens the paint bracket on a window; the page ignores the result.
OAPIFUNC HDC BeginPaint(HWND wnd, PAINTSTRUCT* ps);
// Closes the bracket opened with the same record.
OAPIFUNC BOOL EndPaint(HWND wnd, const PAINTSTRUCT* ps);
// An export of a module the host loaded, by name; null when it has none.
OAPIFUNC FARPROC GetProcAddress(HINSTANCE module, LPCSTR name);
}

#endif

#endif  // __MINGW32__
