#include "Image.h"

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
    return BaseControlStyle(*this) | SS_NOTIFY | SS_BITMAP | (border ? WS_BORDER : 0);
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

void Image::SetImage(int pictureResource) {
    filePath.clear();
    resourceId = pictureResource;
    if (!created || pictureResource <= 0) return;
    HINSTANCE program = GetModuleHandleW(nullptr);
    HANDLE loaded = LoadImageW(program, MAKEINTRESOURCEW(pictureResource & 0xFFFF), IMAGE_BITMAP, 0, 0,
                               LR_CREATEDIBSECTION);
    ShowBitmap(static_cast<HBITMAP>(loaded));
}

void Image::SetImageFile(const std::string& path) {
    filePath = path;
    resourceId = -1;
    if (!created || path.empty()) return;
    ShowBitmap(LoadBitmapFile(path));
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
