// Zoom floor and rounding shared by the canvas's drawing and mouse code.
#pragma once

#include <math.h>

// The zoom never reaches 0: every client-to-page conversion divides by it.
const double kZoomFloor = 0.01;

// Nearest integer; halves go up, negative values too, so that a conversion
// from client to page and back gives the same point on both sides of 0.
inline int Nearest(double v) { return (int)floor(v + 0.5); }
