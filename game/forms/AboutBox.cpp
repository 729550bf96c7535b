#include "AboutBox.h"

#include "ZandroVersion.h"

namespace DoDadu {

const char* const kHomePage = "http://www.zandro.test";

std::string GuidePage() { return std::string(kHomePage) + "/" + "Zandro" + ".asp"; }

namespace {

const int kAboutLogoPicture = 1006;
const int kAboutLogoWidth = 164;  // the about box lays out its text column from this
const int kAboutLogoHeight = 50;

// A text box breaks lines at CR LF; the texts break them at LF.
std::string WithWindowsLineBreaks(const std::string& text) {
    std::string broken;
    for (char c : text) {
        if (c == '\n') broken += '\r';
        broken += c;
    }
    return broken;
}

}  // namespace

NeloUtility::FormAbout* OpenAbout(NeloUtility::Form& owner, const TextSource& texts) {
    auto* box = new NeloUtility::FormAbout(&owner);
    box->logoId = kAboutLogoPicture;
    box->pictures.densityStep = owner.pictures.densityStep;
    box->pictures.densityPercents = owner.pictures.densityPercents;
    box->logoWidth = kAboutLogoWidth;
    box->logoHeight = kAboutLogoHeight;
    box->SetTextUtf8(texts.Text(TextIds::kAboutCaption));
    box->titleText = FillPlaceholders(texts.Text(TextIds::kAboutTitle), {{"version", ZANDRO_VERSION}});
    box->copyrightText = texts.Text(TextIds::kAboutCopyright);
    box->noticeText = WithWindowsLineBreaks(texts.Text(TextIds::kAboutGuide));
    box->okText = texts.Text(TextIds::kAboutOk);
    box->webAddress = kHomePage;
    box->Show();
    return box;
}

}  // namespace DoDadu
