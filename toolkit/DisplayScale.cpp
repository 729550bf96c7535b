#include "DisplayScale.h"

#include "GUIElement.h"
#include "LazyLibrary.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace NeloUtility {

int SystemDpi() {
    static const int dpi = [] {
        if (auto forSystem = LazyFunction<UINT(WINAPI*)()>(L"user32.dll", "GetDpiForSystem"))
            if (UINT answer = forSystem(); answer != 0) return static_cast<int>(answer);
        HDC screen = GetDC(nullptr);
        int answer = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen != nullptr) ReleaseDC(nullptr, screen);
        return answer > 0 ? answer : kLayoutDpi;
    }();
    return dpi;
}

int WindowDpi(HWND window) {
    static const auto forWindow = LazyFunction<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow");
    if (window != nullptr && forWindow != nullptr)
        if (UINT answer = forWindow(window); answer != 0) return static_cast<int>(answer);
    return SystemDpi();
}

int ElementDpi(const GUIElement& element) {
    const GUIElement* top = &element;
    while (top->parent != nullptr) top = top->parent;
    if (top != &element)
        if (const int fitted = top->LaidOutChildren().dpi; fitted > 0) return fitted;
    return top->dpi > 0 ? top->dpi : SystemDpi();
}

int ToPixels(int units, int dpi) { return dpi == kLayoutDpi ? units : MulDiv(units, dpi, kLayoutDpi); }

int ToUnits(int pixels, int dpi) {
    return dpi == kLayoutDpi || dpi <= 0 ? pixels : MulDiv(pixels, kLayoutDpi, dpi);
}

bool InFittedLayout(const GUIElement& element) {
    return element.parent != nullptr && element.parent->LaidOutChildren().dpi > 0;
}

// A form's direct children stand from the origin of its fitted layout.
PixelRect PixelRectOf(const GUIElement& element, int dpi) {
    POINT origin{0, 0};
    if (InFittedLayout(element)) origin = element.parent->LaidOutChildren().origin;
    return {origin.x + ToPixels(element.x, dpi), origin.y + ToPixels(element.y, dpi),
            ToPixels(element.width, dpi), ToPixels(element.height, dpi)};
}

int SystemMetricForDpi(int metric, int dpi) {
    static const auto forDpi = LazyFunction<int(WINAPI*)(int, UINT)>(L"user32.dll", "GetSystemMetricsForDpi");
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

}  // namespace

std::vector<DWORD> AreaResample(const std::vector<DWORD>& pixels, SIZE from, SIZE to) {
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

std::vector<int> DensityOrder(const std::vector<int>& percents, int dpi) {
    const int count = static_cast<int>(percents.size());
    int first = 0;
    while (first + 1 < count && percents[static_cast<size_t>(first)] * kLayoutDpi < dpi * 100) ++first;
    std::vector<int> order;
    for (int n = first; n < std::max(count, 1); ++n) order.push_back(n);
    for (int n = first - 1; n >= 0; --n) order.push_back(n);
    return order;
}

HBITMAP ResampleBitmap(HBITMAP source, int width, int height) {
    BITMAP shape{};
    if (source == nullptr || width <= 0 || height <= 0 || !GetObjectW(source, sizeof shape, &shape))
        return nullptr;
    const SIZE from{shape.bmWidth, shape.bmHeight};
    const std::vector<DWORD> pixels = PixelsOf(source, from);
    if (pixels.empty()) return nullptr;
    return BitmapOf(AreaResample(pixels, from, SIZE{width, height}), SIZE{width, height});
}

HBITMAP FormPictures::Load(HINSTANCE module, int pictureResource, int dpi) {
    if (dpi == kLayoutDpi) return LoadPicture(module, pictureResource);
    const SIZE base = PictureSize(module, pictureResource);
    if (base.cx <= 0 || base.cy <= 0) return LoadPicture(module, pictureResource);
    const SIZE size{ToPixels(base.cx, dpi), ToPixels(base.cy, dpi)};
    const auto key = std::make_tuple(module, pictureResource, size.cx, size.cy);
    if (key == lastKey) return BitmapOf(lastPixels, size);
    for (int n : DensityOrder(densityPercents, dpi)) {
        HBITMAP loaded = LoadPicture(module, pictureResource + densityStep * n);
        if (loaded == nullptr) continue;
        BITMAP shape{};
        GetObjectW(loaded, sizeof shape, &shape);
        if (shape.bmWidth == size.cx && shape.bmHeight == size.cy) return loaded;
        const SIZE own{shape.bmWidth, shape.bmHeight};
        const std::vector<DWORD> pixels = PixelsOf(loaded, own);
        DeleteObject(loaded);
        if (pixels.empty()) return nullptr;
        lastKey = key;
        lastPixels = AreaResample(pixels, own, size);
        return BitmapOf(lastPixels, size);
    }
    return nullptr;
}

}  // namespace NeloUtility
