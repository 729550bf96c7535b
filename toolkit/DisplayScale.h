// Display scale. Every position, size and font height an element stores is in layout
// units of 1/96 inch; this is the one place that turns them into device pixels of the
// window's screen and back. At 96 DPI a unit is a pixel, so nothing changes there.
//
// Functions that Windows 7 lacks are looked up at run time; without them the system's
// one DPI is used.
#pragma once

#include <windows.h>

#include <tuple>
#include <vector>

namespace NeloUtility {

class GUIElement;

constexpr int kLayoutDpi = 96;

// The system's DPI, read once.
int SystemDpi();
// The DPI of the window's screen; the system's for a null window or an older Windows.
int WindowDpi(HWND window);
// The DPI an element is laid out at: that of its top-level form.
int ElementDpi(const GUIElement& element);

// Layout units to pixels and back, rounded to the nearest, halves away from zero.
int ToPixels(int units, int dpi);
int ToUnits(int pixels, int dpi);

// An element's place in its parent and its size in pixels at `dpi`, each scaled alone.
struct PixelRect {
    int x, y, width, height;
};
PixelRect PixelRectOf(const GUIElement& element, int dpi);
// The element stands on a form's fitted layout (Form::FitLayout): its place in layout
// units is the layout's own, and its window follows it, never the other way round.
bool InFittedLayout(const GUIElement& element);

// GetSystemMetrics for a window at this DPI.
int SystemMetricForDpi(int metric, int dpi);

// The pixel size of bitmap resource `pictureResource` at 100 %; {0, 0} when absent.
SIZE PictureSize(HINSTANCE module, int pictureResource);
// A 32-bit copy of the bitmap resampled to the size with an area filter; null on failure.
HBITMAP ResampleBitmap(HBITMAP source, int width, int height);

// The densities to try at `dpi`, best first: the nearest at or above the scale, then the
// denser ones, then the less dense ones from the nearest down. {0} for no list.
std::vector<int> DensityOrder(const std::vector<int>& percents, int dpi);
// 32-bit pixels, top row first, resampled to another size: each colour channel of a new
// pixel is the average of the old pixels it covers, weighted by area; it is opaque.
std::vector<DWORD> AreaResample(const std::vector<DWORD>& pixels, SIZE from, SIZE to);

// The pictures of one form at the screen's density. The program may draw its bitmap
// resources again for denser screens: the picture whose resource at 100 % is B is drawn
// for densityPercents[n] as the resource B + densityStep * n (densityPercents[0] is 100),
// sized round(size at 100 % * percent / 100), halves up, as ToPixels rounds. A picture is
// the nearest density at or above the scale when that has the exact size, and otherwise
// the best one there is resampled to the size with an area filter; the one resampled last
// is kept, since a table shows the same one many times (sixteen card backs).
class FormPictures {
public:
    int densityStep = 0;
    std::vector<int> densityPercents;  // empty: every picture is its 100 % one resampled

    // Bitmap resource `pictureResource` as a DIB section at `dpi`; null when the resource
    // is absent. At 96 DPI it is the resource itself.
    HBITMAP Load(HINSTANCE module, int pictureResource, int dpi);

private:
    std::tuple<HINSTANCE, int, LONG, LONG> lastKey{nullptr, 0, 0, 0};  // module, resource, size
    std::vector<DWORD> lastPixels;
};

}  // namespace NeloUtility
