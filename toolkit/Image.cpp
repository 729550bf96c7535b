#include "Image.h"

#include "AccessibleElement.h"
#include "ContrastTheme.h"
#include "DisplayScale.h"
#include "Drawing.h"
#include "Label.h"

namespace NeloUtility {

Image::Image(GUIElement* parentElement, int pictureResource)
    : Child(parentElement), resourceId(pictureResource) {
    kind = "image";
}

Image::~Image() {
    if (bitmap) DeleteObject(bitmap);
}

DWORD Image::WindowStyle() const {
    return BaseControlStyle(*this) | SS_NOTIFY | SS_BITMAP | (border ? WS_BORDER : 0) |
           (stacked ? WS_CLIPSIBLINGS : 0);
}

DWORD Image::ExtendedStyle() const { return border ? WS_EX_CLIENTEDGE : 0; }

void Image::Create() {
    if (created) return;
    HWND made = MakeControlWindow(*this, L"static", WindowStyle(), ExtendedStyle());
    if (!made) return;  // not created: a later Create tries again with a new identifier
    window = made;
    created = true;
    if (resourceId == -1)
        SetImageFile(filePath);
    else
        SetImage(resourceId);
    SubclassControl(*this);
    FinishControl(*this);
}

// A picture already shown is kept rather than loaded again. One that replaces another is
// told to a screen reader, the picture being what an unnamed image's name describes; an
// image named by its owner was told with its new name.
void Image::SetImage(int pictureResource) {
    if (pictureResource == resourceId && bitmap != nullptr) return;
    filePath.clear();
    resourceId = pictureResource;
    if (!created || pictureResource <= 0) return;
    const bool replaced = bitmap != nullptr;
    ShowBitmap(LoadResourcePicture());
    if (replaced && !HasAccessibleName(*this)) RaiseAccessibleEvent(*this, EVENT_OBJECT_NAMECHANGE);
}

void Image::SetImageFile(const std::string& path) {
    filePath = path;
    resourceId = -1;
    if (!created || path.empty()) return;
    HBITMAP loaded = LoadBitmapFile(path);
    const int dpi = ElementDpi(*this);
    BITMAP shape{};
    if (loaded != nullptr && dpi != kLayoutDpi && GetObjectW(loaded, sizeof shape, &shape)) {
        HBITMAP scaled = ResampleBitmap(loaded, ToPixels(shape.bmWidth, dpi), ToPixels(shape.bmHeight, dpi));
        DeleteObject(loaded);
        loaded = scaled;
    }
    ShowBitmap(loaded);
}

void Image::OnScaleChanged(int) {
    if (resourceId == -1)
        SetImageFile(filePath);
    else if (created && resourceId > 0)
        ShowBitmap(LoadResourcePicture());
}

void Image::PaintContrastFrame() {
    if (!framedInContrast || !created || window == nullptr || !ContrastOn()) return;
    RECT client{};
    GetClientRect(window, &client);
    Drawing drawing(this);
    HDC dc = GetDC(window);
    drawing.Attach(dc);
    FrameRect(drawing, 0, 0, client.right, client.bottom, GetSysColor(COLOR_WINDOWTEXT));
    drawing.End();
    ReleaseDC(window, dc);
}

// The picture at the form's scale, through the form's pictures; an image on no form has
// nothing to share its pictures with.
HBITMAP Image::LoadResourcePicture() {
    GUIElement* top = this;
    while (top->parent != nullptr) top = top->parent;
    FormPictures unshared;
    FormPictures* shared = top->Pictures();
    FormPictures& pictures = shared != nullptr ? *shared : unshared;
    return pictures.Load(GetModuleHandleW(nullptr), resourceId, ElementDpi(*this));
}

// The window lets go of the old bitmap before it is deleted, so it never paints a
// deleted handle, even when the new one could not be loaded.
void Image::ShowBitmap(HBITMAP loaded) {
    if (!loaded) (void)GetLastError();
    HBITMAP old = bitmap;
    bitmap = loaded;
    if (loaded || old) {
        HANDLE shown = reinterpret_cast<HANDLE>(
            SendMessageW(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(loaded)));
        // A static control may show its own copy of a bitmap; that copy is ours to free.
        if (shown && shown != old) DeleteObject(shown);
    }
    if (old) DeleteObject(old);
}

}  // namespace NeloUtility
