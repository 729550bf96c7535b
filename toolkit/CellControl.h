// A container that paints its own contents: one line of text (or a few, split at line
// breaks), an optional picture with black as its see-through colour, and an optional
// "*" marker in the bottom-right corner. A cell that is a tab stop shows a focus mark
// while it holds the focus, unless its window hides focus marks (see FocusMarksHidden).
#pragma once

#include "PanelChildren.h"

#include <string>

namespace NeloUtility {

class CellControl : public PanelChildren {
public:
    HBITMAP picture = nullptr;  // not owned
    int pictureAlign = 1;       // 1 right, 2 centred, anything else left
    int pictureWidth = 0;
    int pictureHeight = 0;
    bool marker = false;
    bool textBold = false;
    bool textUnderline = false;
    bool textItalic = false;
    std::string textFace = "Tahoma";
    int textHeight = 14;
    int textAlign = 2;  // 0 left, 1 right, 2 centred
    COLORREF textColor = RGB(0, 0, 0);
    // The system colour the text takes while contrast is on (ContrastTheme.h); the cell's
    // background is then the window's colour.
    int contrastTextColour = COLOR_WINDOWTEXT;
    // Where several lines stand: by default the first is in the middle and the rest follow
    // below it; with this set they stand together in the middle.
    bool linesCentred = false;

    explicit CellControl(GUIElement* parentElement);
    ~CellControl();

    void SetText(const std::wstring& newText) override;
    void SetTextNarrow(const std::string& newText) override;
    void OnPaint() override;
    int OnGotFocus() override;
    void OnLostFocus() override;
    long AccessibleRole() const override { return kRoleStaticText; }

    // Stores the picture and the size it is drawn at; 0 for a size takes the bitmap's
    // own. Shown at the next paint.
    void SetPicture(HBITMAP bitmap, int drawnWidth = 0, int drawnHeight = 0);

private:
    void PaintContents(const RECT& client);
};

}  // namespace NeloUtility
