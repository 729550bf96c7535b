#include "FormAbout.h"

#include "AccessibleElement.h"
#include "DisplayScale.h"

namespace NeloUtility {

namespace {

constexpr COLORREF kLinkBlue = RGB(0, 0, 255);
constexpr int kAlignLeft = 0;
constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kOkWidth = 80;
constexpr int kOkHeight = 25;

void AboutCreated(GUIElement* element, HWND) {
    if (auto* box = BoxOf<FormAbout>(element)) box->BuildLayout();
}

bool AboutClosing(GUIElement* element) {
    FormAbout* box = BoxOf<FormAbout>(element);
    return box == nullptr || box->OnAboutClosing();
}

int AboutResized(GUIElement* element) {
    if (auto* box = BoxOf<FormAbout>(element)) box->OnAboutResized();
    return 0;
}

int AboutKeyDown(GUIElement* element, int key) {
    if (auto* box = BoxOf<FormAbout>(element)) box->OnAboutKeyDown(key);
    return 0;
}

int AboutKeyUp(GUIElement* element, int key) {
    if (auto* box = BoxOf<FormAbout>(element)) box->OnAboutKeyUp(key);
    return 0;
}

// Characters typed into the box or any element directly in it; false swallows one.
bool RouteCharacter(GUIElement* element, int character) {
    FormAbout* box = BoxOf<FormAbout>(element);
    return box == nullptr || box->OnAboutChar(character);
}

int LinkPressed(GUIElement* element, HWND, int mouseX, int mouseY) {
    if (auto* box = BoxOf<FormAbout>(element)) box->OnLinkPressed(element, mouseX, mouseY);
    return 0;
}

void OkCommand(GUIElement* element) {
    if (auto* box = BoxOf<FormAbout>(element)) box->OnAboutButton(element);
}

// Places an element before its window is made.
template <class T>
T* Placed(T* element, int left, int top, int elementWidth, int elementHeight) {
    element->CharTyped = RouteCharacter;
    element->MoveTo(left, top);
    element->SetSize(elementWidth, elementHeight);
    return element;
}

CellControl* MakeLink(GUIElement* box, FontSpec* linkFont, const std::string& caption, int left, int top) {
    CellControl* link = Placed(new CellControl(box), left, top, 150, 22);
    link->textColor = kLinkBlue;
    link->contrastTextColour = COLOR_HOTLIGHT;  // the system's colour of links
    link->textAlign = kAlignLeft;
    link->SetTextNarrow(caption);
    link->SetHandCursor(true);
    link->tabStop = true;
    link->LeftButtonDown = LinkPressed;
    link->font = linkFont;
    SetAccessibleRole(*link, kRoleLink);
    link->Create();
    return link;
}

bool SameElement(const GUIElement* element, const GUIElement* stored) {
    return element != nullptr && stored != nullptr && element->commandId == stored->commandId;
}

}  // namespace

std::string MailAddressFor(const std::string& webAddress) {
    static const std::string prefix = "http://www.";
    std::string mail = webAddress;
    // Each replacement shortens the text, so the search from the start always ends.
    for (size_t at = mail.find(prefix); at != std::string::npos; at = mail.find(prefix))
        mail.replace(at, prefix.size(), "info@");
    return mail;
}

FormAbout::FormAbout(Form* ownerForm) : FormBox(ownerForm) {
    titleFont = new FontSpec("Arial", 16);
    titleFont->bold = true;
    linkFont = new FontSpec("Arial", 16);
    linkFont->underline = true;

    SetSize(kClientWidth, kClientHeight);
    CenterOnScreen();
    SetTextNarrow("Info...");

    Created = AboutCreated;
    Closing = AboutClosing;
    Resized = AboutResized;
    KeyDown = AboutKeyDown;
    KeyUp = AboutKeyUp;
    CharTyped = RouteCharacter;
}

FormAbout::~FormAbout() { ReleaseElements(); }

// Runs whenever the window is shown; the client area, not the window, is 600 x 300.
void FormAbout::OnShown() { SetClientSize(kClientWidth, kClientHeight); }

void FormAbout::ReleaseElements() {
    DeleteAndClear(logoPanel);
    DeleteAndClear(copyrightLabel);
    DeleteAndClear(logoPicture);
    DeleteAndClear(titleLabel);
    DeleteAndClear(noticeBox);
    DeleteAndClear(okButton);
    DeleteAndClear(titleFont);  // each record deletes its font handle first
    DeleteAndClear(linkFont);
    DeleteAndClear(webLink);
    DeleteAndClear(mailLink);
}

void FormAbout::BuildLayout() {
    int boxWidth = width, boxHeight = height;
    if (created) {
        const SIZE client = ClientSize();
        boxWidth = client.cx;
        boxHeight = client.cy;
    }
    const int column = logoWidth + 45;  // left edge of the right-hand column
    const int columnWidth = boxWidth - logoWidth - 55;

    logoPanel = Placed(new PanelChildren(this), 10, 10, logoWidth + 20, boxHeight - 20);
    logoPanel->border = true;
    logoPanel->tabStop = false;  // a frame: Tab passes it
    logoPanel->Create();

    logoPicture = Placed(new Image(logoPanel, logoId), 5, 5, logoWidth, logoHeight);
    SetAccessibleName(*logoPicture, titleText);  // the logo shows the program's name
    logoPicture->Create();

    titleLabel = Placed(new Label(this, std::string()), column, 10, columnWidth, 25);
    titleLabel->SetTextUtf8(titleText);
    titleLabel->font = titleFont;
    titleLabel->Create();

    copyrightLabel = Placed(new Label(this, std::string()), column, 35, columnWidth, 25);
    copyrightLabel->SetTextUtf8(copyrightText);
    copyrightLabel->font = font;
    copyrightLabel->Create();

    webLink = MakeLink(this, linkFont, webAddress, column, 55);
    mailLink = MakeLink(this, linkFont, MailAddressFor(webAddress), column + 160, 55);

    noticeBox = Placed(new TextBox(this, std::string()), column, 85, columnWidth, boxHeight - 145);
    noticeBox->SetTextUtf8(noticeText);
    noticeBox->multiline = true;
    noticeBox->readOnly = true;
    noticeBox->verticalScroll = true;
    noticeBox->wordWrap = false;
    noticeBox->Create();

    okButton = Placed(new Button(this, std::string()), 0, 0, kOkWidth, kOkHeight);
    okButton->SetTextUtf8(okText);
    okButton->MoveTo(column + columnWidth / 2 - okButton->width / 2, boxHeight - 50);
    okButton->command = OkCommand;
    okButton->Create();
    FitControlFonts();
    okButton->Focus();
}

bool FormAbout::OnAboutClosing() {
    UnregisterHotKeys();
    ReleaseOwner();
    return true;
}

// A scale change resizes the box: its controls' font follows.
void FormAbout::OnAboutResized() { FitControlFonts(); }

void FormAbout::FitControlFonts() {
    FontSpec* wanted = ElementDpi(*this) > kLayoutDpi ? boxFont : nullptr;
    for (GUIElement* control : {static_cast<GUIElement*>(noticeBox), static_cast<GUIElement*>(okButton)}) {
        if (control == nullptr || control->font == wanted) continue;
        control->font = wanted;
        // Null gives the control the system's font back.
        const auto handle = reinterpret_cast<WPARAM>(wanted ? wanted->GetFontHandle() : nullptr);
        if (control->created) SendMessageW(control->window, WM_SETFONT, handle, TRUE);
    }
}

CellControl* FormAbout::FocusedLink() const {
    HWND focus = GetFocus();
    for (CellControl* link : {webLink, mailLink})
        if (link != nullptr && link->created && link->window == focus) return link;
    return nullptr;
}

bool FormAbout::OnAboutChar(int character) {
    if (CellControl* link = FocusedLink(); link != nullptr && (character == kEnter || character == kSpace)) {
        OnLinkPressed(link, 0, 0);
        return false;
    }
    if (character != kEnter && character != kEscape) return true;
    OnAboutButton(okButton);
    return false;
}

void FormAbout::OnAboutKeyDown(int) {}

void FormAbout::OnAboutKeyUp(int) {}

void FormAbout::OnAboutButton(GUIElement* button) {
    if (SameElement(button, okButton)) Close();
}

void FormAbout::OnLinkPressed(GUIElement* element, int, int) {
    if (SameElement(element, webLink)) {
        OpenWithShell(webAddress);
    } else if (SameElement(element, mailLink)) {
        OpenWithShell("mailto:" + mailLink->GetTextNarrow());
    }
}

}  // namespace NeloUtility
