#include "OnlineJoinBox.h"

#include "GameBoxEvents.h"

#include "EveningSetup.h"
#include "JoinTarget.h"
#include "SeatName.h"

#include "AccessibleElement.h"

namespace DoDadu {

using NeloUtility::Button;
using NeloUtility::GUIElement;
using NeloUtility::Label;
using NeloUtility::TextBox;

namespace {

constexpr int kMargin = 16;
constexpr int kLabelWidth = 150;
constexpr int kFieldHeight = 26;
constexpr int kLineHeight = 36;
constexpr int kButtonWidth = 130;
constexpr int kButtonHeight = 30;

}  // namespace

OnlineJoinBox::OnlineJoinBox(NeloUtility::Form& owner, const TextSource& texts, OnlineJoinFields fields,
                             OnlineJoinAsked joined, OnlineCreateAsked created)
    : FormBox(&owner), texts(texts), fields(std::move(fields)), joined(joined), created(created) {
    accessKeys = true;
    Created = BoxCreated<OnlineJoinBox>;
    Closing = BoxClosing<OnlineJoinBox>;
    CharTyped = BoxChar<OnlineJoinBox>;
    SetTextUtf8(WithoutAccessMark(texts.Text(TextIds::kMenuPlayOnline)));
}

OnlineJoinBox::~OnlineJoinBox() { ReleaseElements(); }

void OnlineJoinBox::Open() {
    SetSize(kClientWidth, kClientHeight);
    CenterOnScreen();
    Show();
    SetClientSize(kClientWidth, kClientHeight);
    CenterOnOwner();
    ComeToFront();
    if (!fields.refusal.empty())
        Say(fields.refusal, fields.nameRefused ? nameBox : tableBox);
    else if (GUIElement* first = DefaultFocus())
        first->Focus();
}

// The first field still empty, else Join.
GUIElement* OnlineJoinBox::DefaultFocus() {
    for (TextBox* field : {tableBox, nameBox})
        if (field != nullptr && field->GetTextUtf8().empty()) return field;
    return joinButton;
}

void OnlineJoinBox::ReleaseElements() {
    for (Label*& label : labels) NeloUtility::DeleteAndClear(label);
    std::vector<Label*>().swap(labels);
    for (TextBox** field : {&tableBox, &serverBox, &nameBox}) NeloUtility::DeleteAndClear(*field);
    NeloUtility::DeleteAndClear(problemLine);
    NeloUtility::DeleteAndClear(joinButton);
    NeloUtility::DeleteAndClear(createButton);
    NeloUtility::DeleteAndClear(cancelButton);
}

// A label with an access key and the field it leads to, on one line.
TextBox* OnlineJoinBox::AddField(unsigned labelId, const std::string& text, int top) {
    auto* label = new Label(this, std::string());
    label->CharTyped = BoxChar<OnlineJoinBox>;
    label->font = font;
    label->MoveTo(kMargin, top + 4);
    label->SetSize(kLabelWidth, kFieldHeight - 4);
    label->SetTextUtf8(texts.Text(labelId));
    label->Create();
    labels.push_back(label);
    auto* field = new TextBox(this, std::string());
    field->CharTyped = BoxChar<OnlineJoinBox>;
    field->font = font;
    field->maxLength = 512;
    field->MoveTo(kMargin + kLabelWidth, top);
    field->SetSize(kClientWidth - 2 * kMargin - kLabelWidth, kFieldHeight);
    field->SetTextUtf8(text);
    field->Create();
    NeloUtility::SetAccessibleName(*field, WithoutAccessMark(texts.Text(labelId)));
    return field;
}

Button* OnlineJoinBox::AddButton(unsigned textId, int left, int top) {
    auto* button = new Button(this, std::string());
    button->CharTyped = BoxChar<OnlineJoinBox>;
    button->font = font;
    button->MoveTo(left, top);
    button->SetSize(kButtonWidth, kButtonHeight);
    button->SetTextUtf8(texts.Text(textId));
    NeloUtility::SetAccessibleName(*button, WithoutAccessMark(texts.Text(textId)));
    button->command = [](GUIElement* pressed) {
        if (auto* box = NeloUtility::BoxOf<OnlineJoinBox>(pressed)) box->OnButton(pressed);
    };
    button->Create();
    return button;
}

void OnlineJoinBox::BuildLayout() {
    tableBox = AddField(TextIds::kOnlineTableField, fields.table, kMargin);
    serverBox = AddField(TextIds::kOnlineServerField, fields.server, kMargin + kLineHeight);
    nameBox = AddField(TextIds::kOnlineNameField, fields.name, kMargin + 2 * kLineHeight);
    problemLine = new Label(this, std::string());
    problemLine->font = font;
    problemLine->MoveTo(kMargin, kMargin + 3 * kLineHeight);
    problemLine->SetSize(kClientWidth - 2 * kMargin, kFieldHeight + 10);
    problemLine->Create();
    const int top = kClientHeight - kMargin - kButtonHeight;
    const int left = kClientWidth / 2 - kButtonWidth * 3 / 2 - kMargin;
    joinButton = AddButton(TextIds::kOnlineJoin, left, top);
    createButton = AddButton(TextIds::kOnlineCreate, left + kButtonWidth + kMargin, top);
    cancelButton = AddButton(TextIds::kOnlineCancel, left + 2 * (kButtonWidth + kMargin), top);
}

// The fields read as a table to join and a name; what cannot be read is said, and the box stays.
void OnlineJoinBox::Join() {
    const auto table = ReadJoinTarget(tableBox->GetTextUtf8(), serverBox->GetTextUtf8());
    const auto name = CheckedSeatName(nameBox->GetTextUtf8());
    if (!table || !name) {
        Say(!table ? TextIds::kOnlineBadInvitation : TextIds::kOnlineBadName, !table ? tableBox : nameBox);
        return;
    }
    NeloUtility::Form* to = owner;
    const OnlineJoinAsked asked = joined;
    Close();  // the box goes; what it read stays here
    if (to != nullptr && asked != nullptr) asked(*to, *table, *name);
}

// The server is the one typed, or the one of an invitation pasted in either field.
void OnlineJoinBox::AskCreate() {
    auto server = ReadServer(serverBox->GetTextUtf8());
    if (!server) server = ReadServer(tableBox->GetTextUtf8());
    const auto name = CheckedSeatName(nameBox->GetTextUtf8());
    if (!server || !name) {
        Say(!server ? TextIds::kOnlineBadServer : TextIds::kOnlineBadName, !server ? serverBox : nameBox);
        return;
    }
    NeloUtility::Form* to = owner;
    const OnlineCreateAsked asked = created;
    Close();
    if (to != nullptr && asked != nullptr) asked(*to, *server, *name);
}

// What cannot be read, on the box's line and to the screen reader, and the field to mend.
void OnlineJoinBox::Say(unsigned problemId, TextBox* field) { Say(texts.Text(problemId), field); }

void OnlineJoinBox::Say(const std::string& problem, TextBox* field) {
    problemLine->SetTextUtf8(problem);
    NeloUtility::SetAccessibleName(*problemLine, problem);
    field->Focus();
}

void OnlineJoinBox::OnButton(GUIElement* button) {
    if (button == joinButton) Join();
    if (button == createButton) AskCreate();
    if (button == cancelButton) Close();
}

bool OnlineJoinBox::OnBoxChar(int character) {
    return AnswerBoxKey(*this, character, joinButton, {cancelButton, createButton});
}

NeloUtility::FormBox* OpenOnlineJoin(NeloUtility::Form& owner, const TextSource& texts,
                                     const OnlineJoinFields& fields, OnlineJoinAsked joined,
                                     OnlineCreateAsked created) {
    auto* box = new OnlineJoinBox(owner, texts, fields, joined, created);
    box->Open();
    return box;
}

}  // namespace DoDadu
