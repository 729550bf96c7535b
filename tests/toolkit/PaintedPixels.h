// Shared by the drawing and control tests: colours, a memory bitmap to paint into or to
// copy a window into, a shown pop-up panel to hold controls, and a message pump.
#pragma once

#include "PanelChildren.h"

#include <windows.h>

#include <vector>

namespace ControlTests {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

inline DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)); }
inline DWORD ExStyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)); }

// A rectangle as {left, top, right, bottom}, to compare in one assertion.
inline std::vector<LONG> Corners(RECT r) { return {r.left, r.top, r.right, r.bottom}; }

inline void DrainMessages() {
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

// A top-down 32-bit DIB section selected into a memory context.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = TopDownBitmap(width, height, &bits_);
        previous_ = SelectObject(dc_, bitmap_);
        Fill(RGB(255, 255, 255));
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }

    void Fill(COLORREF colour) {
        for (int i = 0; i < width_ * height_; ++i) bits_[i] = ToPixel(colour);
    }
    // The client area of a window, as the screen shows it now.
    void CopyFrom(HWND window) {
        HDC source = GetDC(window);
        BitBlt(dc_, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
        ReleaseDC(window, source);
    }
    COLORREF At(int x, int y) const {
        GdiFlush();
        DWORD p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    RECT Whole() const { return RECT{0, 0, width_, height_}; }
    int Count(COLORREF colour) const { return Count(colour, Whole()); }
    int Count(COLORREF colour, RECT area) const {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) n += At(x, y) == colour;
        return n;
    }
    // The smallest rectangle inside the area holding every pixel of the colour (or, with
    // matching false, every other pixel); left >= right when there is none.
    RECT Bounds(COLORREF colour, bool matching = true) const { return Bounds(colour, matching, Whole()); }
    RECT Bounds(COLORREF colour, bool matching, RECT area) const {
        RECT box{area.right, area.bottom, area.left, area.top};
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if ((At(x, y) == colour) == matching) {
                    box.left = x < box.left ? x : box.left;
                    box.top = y < box.top ? y : box.top;
                    box.right = x + 1 > box.right ? x + 1 : box.right;
                    box.bottom = y + 1 > box.bottom ? y + 1 : box.bottom;
                }
        return box;
    }
    static DWORD ToPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
    // A top-down 32-bit DIB section and its pixels.
    static HBITMAP TopDownBitmap(int width, int height, DWORD** bits) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0);
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    DWORD* bits_ = nullptr;
};

// A solid bitmap of one colour (a DIB section), or with a black border of one pixel.
inline HBITMAP SolidPicture(int width, int height, COLORREF colour, bool blackBorder = false) {
    DWORD* bits = nullptr;
    HBITMAP bitmap = Canvas::TopDownBitmap(width, height, &bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            bool edge = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            bits[y * width + x] = Canvas::ToPixel(blackBorder && edge ? kBlack : colour);
        }
    return bitmap;
}

// The shown top-level panel at the screen's top-left corner that holds the controls
// under test: its own window class, served by the toolkit's window procedure. One panel
// serves the whole program (taking a top-level window down costs Wine seconds without
// a window manager); each test's Host empties it when the test ends.
class Host {
public:
    Host() : panel(Shared()) {
        panel.childBackColor = static_cast<COLORREF>(-1);
        panel.childTextColor = static_cast<COLORREF>(-1);
    }
    ~Host() {
        while (HWND child = GetWindow(panel.window, GW_CHILD)) DestroyWindow(child);
        DrainMessages();
    }
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    NeloUtility::GUIElement* element() { return &panel; }
    NeloUtility::PanelChildren& panel;

private:
    static NeloUtility::PanelChildren& Shared() {
        static NeloUtility::PanelChildren* shared = [] {
            auto* made = new NeloUtility::PanelChildren(nullptr);
            made->popup = true;
            made->MoveTo(0, 0);
            made->SetSize(500, 400);
            made->Create();
            made->Show();
            DrainMessages();
            return made;
        }();
        return *shared;
    }
};

}  // namespace ControlTests
