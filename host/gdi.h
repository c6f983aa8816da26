// Drawing-surface contract: the GDI and USER operations the page draws with.
// On Windows these are the platform's own; elsewhere the stand-in host exports
// them over an abstract DrawingSurface, with the same names and signatures.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>

#include "host/export.h"

using BOOL = int;
using BYTE = std::uint8_t;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using LPVOID = void*;
using LPCSTR = const char*;
using WPARAM = std::uintptr_t;  // pointer-sized, as on 64-bit Windows
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;  // 0x00BBGGRR

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

struct RECT {
  LONG left, top, right, bottom;
};
struct POINT {
  LONG x, y;
};

class DrawingSurface;
using HDC = DrawingSurface*;

struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
};

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return COLORREF(r) | COLORREF(g) << 8 | COLORREF(b) << 16;
}

// What a device context does. The stand-in host implements it (rasteriser,
// null surface); the exported operations below check their arguments, record
// the call and forward here. Coordinates may be anything from INT_MIN to
// INT_MAX; an implementation clips.
class OAPIFUNC DrawingSurface {
 public:
  virtual ~DrawingSurface();
  virtual POINT Position() const = 0;  // the current position
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;  // current pen, end point excluded
  virtual void Polyline(const POINT* pts, int n) = 0;
  virtual void Polygon(const POINT* pts, int n) = 0;  // alternate fill, current brush and pen
  virtual void Ellipse(int l, int t, int r, int b) = 0;
  virtual void Rectangle(int l, int t, int r, int b) = 0;
  virtual void SetPixel(int x, int y, COLORREF c) = 0;
  virtual void FillRect(const RECT& rc, COLORREF brush) = 0;  // edges in any order
  virtual COLORREF SetTextColor(COLORREF c) = 0;  // returns the previous colour
  virtual void TextOut(int x, int y, const char* text, int len) = 0;  // top-left reference, transparent
  virtual void SelectPen(int index) = 0;   // host default pen 1, 2 or 3
  virtual void SelectFont(int index) = 0;  // host default font 1
};

// Each operation: what the page relies on. Results are never examined.
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
}
#endif
