// A bitmap resource of the program or a bitmap file, shown at its own size in a
// "static" window, at the density of the window's screen (DisplayScale.h). The element
// owns the one bitmap it currently shows.
#pragma once

#include "GUIElement.h"

#include <string>

namespace NeloUtility {

class Image : public Child {
public:
    HBITMAP bitmap = nullptr;  // owned
    std::string filePath;
    int resourceId;  // -1: the picture comes from filePath
    bool border = false;
    // While contrast is on (ContrastTheme.h) the picture is framed in the text colour, one
    // layout unit thick, over its outermost pixels.
    bool framedInContrast = false;
    // Overlaps other images of its parent: each paints only where it lies on top of them
    // (WS_CLIPSIBLINGS), so the order in which they stack decides what shows.
    bool stacked = false;

    Image(GUIElement* parentElement, int pictureResource);
    ~Image();

    void Create() override;
    long AccessibleRole() const override { return kRoleGraphic; }

    // Shows bitmap resource `pictureResource` (once created); 0 or less keeps the picture.
    void SetImage(int pictureResource);
    // Shows a bitmap file (once created); an empty path keeps the picture.
    void SetImageFile(const std::string& path);
    // Loads the picture shown now again, at the form's new scale.
    void OnScaleChanged(int newDpi) override;

    // Called after the window has painted its picture.
    void PaintContrastFrame();

    DWORD WindowStyle() const;
    DWORD ExtendedStyle() const;

private:
    void ShowBitmap(HBITMAP loaded);
    HBITMAP LoadResourcePicture();
};

}  // namespace NeloUtility
