// A surface that draws nothing: the host's bookkeeping without pixels.
#pragma once

#include "sim/surface/drawing_surface.h"

namespace sim {

class NullSurface final : public DrawingSurface {
 public:
  POINT Position() const override { return position_; }
  void MoveTo(int x, int y) override { position_ = {x, y}; }
  void LineTo(int x, int y) override { position_ = {x, y}; }
  void Polyline(const POINT*, int) override {}
  void Polygon(const POINT*, int) override {}
  void Ellipse(int, int, int, int) override {}
  void Rectangle(int, int, int, int) override {}
  void SetPixel(int, int, COLORREF) override {}
  void FillRect(const RECT&, COLORREF) override {}
  COLORREF SetTextColor(COLORREF c) override {
    const COLORREF previous = textColour_;
    textColour_ = c;
    return previous;
  }
  void TextOut(int, int, const char*, int) override {}
  void SetBkMode(int) override {}
  void SelectPen(int) override {}
  void SelectFont(int) override {}
  void SelectStockObject(int) override {}
  void Clear() override {}

 private:
  POINT position_{0, 0};
  COLORREF textColour_ = 0;
};

}  // namespace sim
