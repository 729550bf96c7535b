#include "DisplayScale.h"

#include "GUIElement.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace NeloUtility {

namespace {

// Looked up once: these are not in Windows 7's user32.
template <class Function>
Function UserFunction(const char* name) {
    HMODULE user = GetModuleHandleW(L"user32.dll");
    return user != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user, name)))
                           : nullptr;
}

using DpiForWindowFunction = UINT(WINAPI*)(HWND);
using DpiForSystemFunction = UINT(WINAPI*)();
using MetricsForDpiFunction = int(WINAPI*)(int, UINT);

// Densities of the picture resources, in percent; entry n is the resource B + 10000 * n.
constexpr int kDensities[] = {100, 125, 150, 175, 200, 250, 300};
constexpr int kDensityCount = static_cast<int>(sizeof kDensities / sizeof kDensities[0]);

}  // namespace

int SystemDpi() {
    static const int dpi = [] {
        if (auto forSystem = UserFunction<DpiForSystemFunction>("GetDpiForSystem"))
            if (UINT answer = forSystem(); answer != 0) return static_cast<int>(answer);
        HDC screen = GetDC(nullptr);
        int answer = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen != nullptr) ReleaseDC(nullptr, screen);
        return answer > 0 ? answer : kLayoutDpi;
    }();
    return dpi;
}

int WindowDpi(HWND window) {
    static const auto forWindow = UserFunction<DpiForWindowFunction>("GetDpiForWindow");
    if (window != nullptr && forWindow != nullptr)
        if (UINT answer = forWindow(window); answer != 0) return static_cast<int>(answer);
    return SystemDpi();
}

int ElementDpi(const GUIElement& element) {
    const GUIElement* top = &element;
    while (top->parent != nullptr) top = top->parent;
    return top->dpi > 0 ? top->dpi : SystemDpi();
}

int ToPixels(int units, int dpi) { return dpi == kLayoutDpi ? units : MulDiv(units, dpi, kLayoutDpi); }

int ToUnits(int pixels, int dpi) {
    return dpi == kLayoutDpi || dpi <= 0 ? pixels : MulDiv(pixels, kLayoutDpi, dpi);
}

int SystemMetricForDpi(int metric, int dpi) {
    static const auto forDpi = UserFunction<MetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (forDpi != nullptr) return forDpi(metric, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(metric), dpi, SystemDpi());
}

// ---------------------------------------------------------------- pictures

SIZE PictureSize(HINSTANCE module, int pictureResource) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(pictureResource & 0xFFFF), MAKEINTRESOURCEW(2));
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr || SizeofResource(module, found) < sizeof(BITMAPINFOHEADER)) return SIZE{0, 0};
    BITMAPINFOHEADER header{};
    CopyMemory(&header, data, sizeof header);
    return SIZE{header.biWidth, std::abs(header.biHeight)};
}

namespace {

HBITMAP LoadPicture(HINSTANCE module, int pictureResource) {
    return static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(pictureResource & 0xFFFF), IMAGE_BITMAP,
                                           0, 0, LR_CREATEDIBSECTION));
}

// The densities to try, best first: the nearest at or above the scale, then the denser
// ones, then the less dense ones from the nearest down.
std::vector<int> DensityOrder(int dpi) {
    int first = kDensityCount - 1;
    for (int n = 0; n < kDensityCount; ++n) {
        if (kDensities[n] * kLayoutDpi >= dpi * 100) {
            first = n;
            break;
        }
    }
    std::vector<int> order;
    for (int n = first; n < kDensityCount; ++n) order.push_back(n);
    for (int n = first - 1; n >= 0; --n) order.push_back(n);
    return order;
}

// The source pixels that one target pixel covers along one axis, with their shares.
struct Tap {
    int index;
    double weight;
};

std::vector<std::vector<Tap>> AreaTaps(int from, int to) {
    std::vector<std::vector<Tap>> taps(static_cast<size_t>(to));
    const double step = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        const double begin = i * step, end = (i + 1) * step;
        for (int s = static_cast<int>(begin); s < from && s < end; ++s) {
            const double covered = std::min(end, s + 1.0) - std::max(begin, static_cast<double>(s));
            if (covered > 1e-9) taps[static_cast<size_t>(i)].push_back(Tap{s, covered / step});
        }
    }
    return taps;
}

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Resamples 32-bit pixels one axis at a time; every colour channel is averaged by area.
std::vector<DWORD> Resample(const std::vector<DWORD>& pixels, SIZE from, SIZE to) {
    const auto across = AreaTaps(from.cx, to.cx);
    const auto down = AreaTaps(from.cy, to.cy);
    std::vector<double> rows(static_cast<size_t>(to.cx) * from.cy * 3);
    for (int y = 0; y < from.cy; ++y)
        for (int x = 0; x < to.cx; ++x)
            for (const Tap& tap : across[static_cast<size_t>(x)]) {
                const DWORD p = pixels[static_cast<size_t>(y) * from.cx + tap.index];
                double* out = &rows[(static_cast<size_t>(y) * to.cx + x) * 3];
                for (int c = 0; c < 3; ++c) out[c] += tap.weight * ((p >> (8 * c)) & 0xFF);
            }
    std::vector<DWORD> result(static_cast<size_t>(to.cx) * to.cy);
    for (int y = 0; y < to.cy; ++y)
        for (int x = 0; x < to.cx; ++x) {
            double sum[3] = {0, 0, 0};
            for (const Tap& tap : down[static_cast<size_t>(y)])
                for (int c = 0; c < 3; ++c)
                    sum[c] += tap.weight * rows[(static_cast<size_t>(tap.index) * to.cx + x) * 3 + c];
            DWORD p = 0xFF000000;
            for (int c = 0; c < 3; ++c)
                p |= static_cast<DWORD>(std::clamp(std::lround(sum[c]), 0L, 255L)) << (8 * c);
            result[static_cast<size_t>(y) * to.cx + x] = p;
        }
    return result;
}

// The pixels of a bitmap, 32 bits each, top row first; empty on failure. A memory context
// serves the conversion: the screen's would cost a trip to the window system.
std::vector<DWORD> PixelsOf(HBITMAP source, SIZE size) {
    std::vector<DWORD> pixels(static_cast<size_t>(size.cx) * size.cy);
    BITMAPINFO read = TopDown32(size.cx, size.cy);
    HDC memory = CreateCompatibleDC(nullptr);
    const int lines =
        GetDIBits(memory, source, 0, static_cast<UINT>(size.cy), pixels.data(), &read, DIB_RGB_COLORS);
    DeleteDC(memory);
    if (lines != size.cy) pixels.clear();
    return pixels;
}

HBITMAP BitmapOf(const std::vector<DWORD>& pixels, SIZE size) {
    BITMAPINFO made = TopDown32(size.cx, size.cy);
    void* bits = nullptr;
    HBITMAP result = CreateDIBSection(nullptr, &made, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (result == nullptr || bits == nullptr) return result;
    CopyMemory(bits, pixels.data(), pixels.size() * sizeof(DWORD));
    GdiFlush();
    return result;
}

// The picture resampled last: a table shows the same one many times (sixteen card backs).
struct ResampledPicture {
    HINSTANCE module = nullptr;
    int resource = 0;
    SIZE size{0, 0};
    std::vector<DWORD> pixels;
};

ResampledPicture& LastResampled() {
    static ResampledPicture last;
    return last;
}

}  // namespace

HBITMAP ResampleBitmap(HBITMAP source, int width, int height) {
    BITMAP shape{};
    if (source == nullptr || width <= 0 || height <= 0 || !GetObjectW(source, sizeof shape, &shape))
        return nullptr;
    const SIZE from{shape.bmWidth, shape.bmHeight};
    const std::vector<DWORD> pixels = PixelsOf(source, from);
    if (pixels.empty()) return nullptr;
    return BitmapOf(Resample(pixels, from, SIZE{width, height}), SIZE{width, height});
}

HBITMAP LoadPictureAtDpi(HINSTANCE module, int pictureResource, int dpi) {
    if (dpi == kLayoutDpi) return LoadPicture(module, pictureResource);
    const SIZE base = PictureSize(module, pictureResource);
    if (base.cx <= 0 || base.cy <= 0) return LoadPicture(module, pictureResource);
    const SIZE size{ToPixels(base.cx, dpi), ToPixels(base.cy, dpi)};
    ResampledPicture& last = LastResampled();
    if (last.module == module && last.resource == pictureResource && last.size.cx == size.cx &&
        last.size.cy == size.cy)
        return BitmapOf(last.pixels, last.size);
    for (int n : DensityOrder(dpi)) {
        const int variant = pictureResource + kPictureDensityStep * n;
        if (n > 0 && PictureSize(module, variant).cx <= 0) continue;
        HBITMAP loaded = LoadPicture(module, variant);
        if (loaded == nullptr) continue;
        BITMAP shape{};
        GetObjectW(loaded, sizeof shape, &shape);
        if (shape.bmWidth == size.cx && shape.bmHeight == size.cy) return loaded;
        const SIZE own{shape.bmWidth, shape.bmHeight};
        const std::vector<DWORD> pixels = PixelsOf(loaded, own);
        DeleteObject(loaded);
        if (pixels.empty()) return nullptr;
        last = ResampledPicture{module, pictureResource, size, Resample(pixels, own, size)};
        return BitmapOf(last.pixels, last.size);
    }
    return nullptr;
}

}  // namespace NeloUtility
