// Display scale. Every position, size and font height an element stores is in layout
// units of 1/96 inch; this is the one place that turns them into device pixels of the
// window's screen and back. At 96 DPI a unit is a pixel, so nothing changes there.
//
// Pictures at the screen's density: the bitmap resource B drawn for a denser screen is
// the resource B + 10000 * n, n = 1..6 for 125, 150, 175, 200, 250 and 300 %, sized
// round(size at 100 % * percent / 100), halves up, as ToPixels rounds. LoadPictureAtDpi
// takes the nearest density at or above the scale, uses it as it is when it has the exact
// size, and otherwise resamples the best one there is to that size with an area filter.
//
// Functions that Windows 7 lacks are looked up at run time; without them the system's
// one DPI is used.
#pragma once

#include <windows.h>

namespace NeloUtility {

class GUIElement;

constexpr int kLayoutDpi = 96;
constexpr int kPictureDensityStep = 10000;

// The system's DPI, read once.
int SystemDpi();
// The DPI of the window's screen; the system's for a null window or an older Windows.
int WindowDpi(HWND window);
// The DPI an element is laid out at: that of its top-level form.
int ElementDpi(const GUIElement& element);

// Layout units to pixels and back, rounded to the nearest.
int ToPixels(int units, int dpi);
int ToUnits(int pixels, int dpi);

// GetSystemMetrics for a window at this DPI.
int SystemMetricForDpi(int metric, int dpi);

// The pixel size of bitmap resource `pictureResource` at 100 %; {0, 0} when absent.
SIZE PictureSize(HINSTANCE module, int pictureResource);
// Bitmap resource `pictureResource` as a DIB section at `dpi` (see above); null when the
// resource is absent. At 96 DPI or below 96 it is the resource itself, or its 100 % picture
// reduced.
HBITMAP LoadPictureAtDpi(HINSTANCE module, int pictureResource, int dpi);
// A 32-bit copy of the bitmap resampled to the size with an area filter; null on failure.
HBITMAP ResampleBitmap(HBITMAP source, int width, int height);

}  // namespace NeloUtility
