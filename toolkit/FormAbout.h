// The toolkit's ready-made about box: a logo in a frame, a title line, a copyright line,
// a web link and a mail link, a read-only notice and an OK button. It knows nothing of the
// program it describes: the owner fills the logo and the texts in before showing it.
// It is a box over its owner (FormBox). Tab goes from the links to the notice and OK; Enter or Space
// on a link opens it, Enter elsewhere and Escape close the box.
#pragma once

#include "Button.h"
#include "CellControl.h"
#include "FormBox.h"
#include "Image.h"
#include "Label.h"
#include "PanelChildren.h"
#include "Shell.h"
#include "TextBox.h"

#include <string>

namespace NeloUtility {

class FormAbout : public FormBox {
public:
    FontSpec* titleFont = nullptr;  // owned: "Arial" 16 bold
    FontSpec* linkFont = nullptr;   // owned: "Arial" 16 underlined
    Image* logoPicture = nullptr;   // owned, inside logoPanel
    Label* titleLabel = nullptr;
    Label* copyrightLabel = nullptr;
    PanelChildren* logoPanel = nullptr;
    TextBox* noticeBox = nullptr;
    Button* okButton = nullptr;
    CellControl* webLink = nullptr;
    CellControl* mailLink = nullptr;
    int logoId = 0;     // bitmap resource of the logo
    int logoWidth = 0;  // the right-hand column is laid out from this width
    int logoHeight = 0;
    // The box's texts, in UTF-8.
    std::string titleText;
    std::string copyrightText;
    std::string noticeText;  // may hold CR LF line breaks
    std::string okText = "OK";
    std::string webAddress;  // "http://www." followed by the domain

    explicit FormAbout(Form* ownerForm);
    ~FormAbout();

    void OnShown() override;
    void ReleaseElements() override;

    // Operations of the about box, after those of Form.
    virtual void BuildLayout();
    virtual bool OnAboutClosing();
    virtual void OnAboutResized();
    virtual bool OnAboutChar(int character);
    virtual void OnAboutKeyDown(int key);
    virtual void OnAboutKeyUp(int key);
    virtual void OnAboutButton(GUIElement* button);
    virtual void OnLinkPressed(GUIElement* element, int mouseX, int mouseY);

    static constexpr int kClientWidth = 600;
    static constexpr int kClientHeight = 300;

private:
    // The notice and OK keep the system's font at 100 %, as they always looked; above it
    // that font is a bitmap that does not grow, so they take the box's own font there.
    void FitControlFonts();
    // The link holding the focus, if one does.
    CellControl* FocusedLink() const;
};

// The mail address shown for a web address: every "http://www." becomes "info@".
std::string MailAddressFor(const std::string& webAddress);

}  // namespace NeloUtility
