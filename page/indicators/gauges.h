// Level gauges: one bar per monitored thruster place on the schematic.
//
// Each renderer fills one bar with the caller's brush (neither kept nor
// released) and, where the place has one, writes a two-character label in the
// surface's current font and text colour. Callers pass only levels above 0;
// signedShift is never 0.
#pragma once

#include "host/gdi.h"

// Bar length in design units of the reaction-control gauges, by logExhausts.
double GaugeLength(double level);

void DrawMainGauge(HDC hDC, HBRUSH fill, double level, int offset, double scale);
void DrawRetroGauge(HDC hDC, HBRUSH fill, double level, int offset, double scale);
void DrawHoverForeGauge(HDC hDC, HBRUSH fill, double level, double scale);
void DrawHoverAftGauge(HDC hDC, HBRUSH fill, double level, int offset, double scale);

void DrawForeLeftSideGauge(HDC hDC, HBRUSH fill, double level, double scale);
void DrawForeRightSideGauge(HDC hDC, HBRUSH fill, double level, double scale);
void DrawAftLeftSideGauge(HDC hDC, HBRUSH fill, double level, double scale);
void DrawAftRightSideGauge(HDC hDC, HBRUSH fill, double level, double scale);

void DrawAftAxialGauge(HDC hDC, HBRUSH fill, double level, double scale);
void DrawForeAxialGauge(HDC hDC, HBRUSH fill, double level, int offset, double scale);

// Vertical bars that grow down for a positive signedShift ("-y") and up for a
// negative one ("+y"); the label stands |signedShift| beyond the linear tip.
void DrawLeftWingVerticalGauge(HDC hDC, HBRUSH fill, double level, int signedShift, double scale);
void DrawRightWingVerticalGauge(HDC hDC, HBRUSH fill, double level, int signedShift, double scale);
void DrawAftVerticalGauge(HDC hDC, HBRUSH fill, double level, int signedShift, double scale);
void DrawForeVerticalGauge(HDC hDC, HBRUSH fill, double level, int offset, int signedShift, double scale);
