// The box of "Play online": the table to join (an invitation pasted whole, or its code),
// the server when only a code is given (HOST:PORT), and the player's name, with Join,
// Create table (on the server given) and Cancel. A box over its owner (FormBox); Enter joins, Escape closes.
// What cannot be read is said on the box's own line, and the box stays.
#pragma once

#include "GameTexts.h"
#include "Invitation.h"

#include "Button.h"
#include "FormBox.h"
#include "Label.h"
#include "TextBox.h"

#include <string>
#include <vector>

namespace DoDadu {

using OnlineJoinAsked = void (*)(NeloUtility::Form& owner, const Invitation& table, const std::string& name);
// A table to create on the server (its code empty), with the house rules and seats still to choose.
using OnlineCreateAsked = void (*)(NeloUtility::Form& owner, const Invitation& server,
                                   const std::string& name);

struct OnlineJoinFields {
    std::string table;  // an invitation or a code
    std::string server;
    std::string name;
    std::string refusal;       // why the server refused what was asked, said as the box opens
    bool nameRefused = false;  // the refusal is of the name, not of the table
};

class OnlineJoinBox : public NeloUtility::FormBox {
public:
    OnlineJoinBox(NeloUtility::Form& owner, const TextSource& texts, OnlineJoinFields fields,
                  OnlineJoinAsked joined, OnlineCreateAsked created);
    ~OnlineJoinBox();

    void Open();
    void ReleaseElements() override;
    NeloUtility::GUIElement* DefaultFocus() override;

    void BuildLayout();
    void OnButton(NeloUtility::GUIElement* button);
    bool OnBoxChar(int character);

    static constexpr int kClientWidth = 520;
    static constexpr int kClientHeight = 250;

private:
    NeloUtility::TextBox* AddField(unsigned labelId, const std::string& text, int top);
    NeloUtility::Button* AddButton(unsigned textId, int left, int top);
    void Join();
    void AskCreate();  // a table to create on the server typed
    void Say(unsigned problemId, NeloUtility::TextBox* field);
    void Say(const std::string& problem, NeloUtility::TextBox* field);

    const TextSource& texts;
    OnlineJoinFields fields;
    OnlineJoinAsked joined;
    OnlineCreateAsked created;
    std::vector<NeloUtility::Label*> labels;
    NeloUtility::TextBox* tableBox = nullptr;
    NeloUtility::TextBox* serverBox = nullptr;
    NeloUtility::TextBox* nameBox = nullptr;
    NeloUtility::Label* problemLine = nullptr;
    NeloUtility::Button* joinButton = nullptr;
    NeloUtility::Button* createButton = nullptr;
    NeloUtility::Button* cancelButton = nullptr;
};

// Opens the box filled with `fields`; joined(owner, table, name) is called once it closes
// on Join, created(owner, server, name) on Create table. The caller deletes the box
// (DeferDelete) once it is closed.
NeloUtility::FormBox* OpenOnlineJoin(NeloUtility::Form& owner, const TextSource& texts,
                                     const OnlineJoinFields& fields, OnlineJoinAsked joined,
                                     OnlineCreateAsked created);

}  // namespace DoDadu
