// The full table's window at an evening held by a server: the lobby with its invitation and
// free seats, the line on the link (trouble, reconnecting, the code), the others' comings and
// goings, and a refusal handed back to the Play online box.
#include "FormFullTable.h"

#include "PresenceSentence.h"

#include <algorithm>

namespace DoDadu {

using namespace NeloUtility;

// The table's invitation on the clipboard as text, to paste in a mail or a chat.
void FormFullTable::CopyInvitation() {
    if (online == nullptr || online->Table().Invitation().empty()) return;
    const std::wstring text = Widen(online->Table().Invitation());
    if (!OpenClipboard(window)) return;
    EmptyClipboard();
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (auto* bytes = copy != nullptr ? static_cast<wchar_t*>(GlobalLock(copy)) : nullptr) {
        std::copy(text.c_str(), text.c_str() + text.size() + 1, bytes);
        GlobalUnlock(copy);
        if (SetClipboardData(CF_UNICODETEXT, copy) == nullptr) GlobalFree(copy);
    } else if (copy != nullptr) {
        GlobalFree(copy);
    }
    CloseClipboard();
}

void FormFullTable::OnOnlineNews() {
    if (online != nullptr) online->OnNews();
}

void FormFullTable::OnOnlineRetry() {
    if (online != nullptr) online->OnRetry();
}

// The table as the server last showed it, and a line on the link said once when it changes:
// trouble that ends the tries, a link being tried again, or the lobby's code.
void FormFullTable::FollowOnline() {
    if (online == nullptr) return;
    if (session->Seats().size() != arranged) {
        arranged = session->Seats().size();
        view.Watch(session);
    } else {
        view.ShowSeats();
    }
    std::string line;
    if (online->Trouble() != OnlineTrouble::None)
        line = TroubleText(online->Trouble());
    else if (online->Reconnecting())
        line = texts.Text(TextIds::kOnlineReconnecting);
    else if (online->Table().Phase() == OnlinePhase::Lobby)
        line = LobbyLine();
    else if (online->Table().EndedBy() == EndReason::Rounds)
        line = texts.Text(TextIds::kOnlineEndsByRounds);
    else if (online->Table().EndedBy() == EndReason::Creator)
        line = texts.Text(TextIds::kOnlineEndsByCreator);
    else if (onlineLine == texts.Text(TextIds::kOnlineReconnecting))
        line = texts.Text(TextIds::kOnlineBack);
    const bool news = !line.empty() && line != onlineLine;
    onlineLine = line;
    if (news && RefusedBeforeSeated()) {
        HandBackRefusal(line);
        return;
    }
    if (news) {
        view.ShowMessage(line);
        view.Speak(line);
    }
    SayPresence();
    FollowEvening();
}

bool FormFullTable::RefusedBeforeSeated() const {
    return online->Trouble() != OnlineTrouble::None && !online->HoldsSeat() && seatRefused != nullptr &&
           classic != nullptr;
}

// Said over the Play online box, with what was asked, where it can be mended at once.
void FormFullTable::HandBackRefusal(const std::string& why) {
    OnlineJoinFields asked;
    const Invitation& at = online->Server();
    asked.table = at.code.empty() ? std::string() : InvitationText(at);
    asked.server = ReadOnlineSeat().server;
    asked.name = online->Name();
    asked.refusal = why;
    asked.nameRefused =
        online->Trouble() == OnlineTrouble::NameTaken || online->Trouble() == OnlineTrouble::BadName;
    ShowClassicTable();
    seatRefused(*classic, asked);
}

// The code while seats are free; once every person is here, who starts the evening.
std::string FormFullTable::LobbyLine() const {
    if (!session->FreeSeats().empty())
        return FillPlaceholders(texts.Text(TextIds::kOnlineLobby), {{"code", online->Table().Code()}});
    return texts.Text(online->Table().Creator() ? TextIds::kOnlineLobbyReady
                                                : TextIds::kOnlineLobbyReadyOthers);
}

// The others' comings and goings, each said once, after the line on the link.
void FormFullTable::SayPresence() {
    OnlineTableSession& table = online->Table();
    for (const OnlineTableSession::Presence& news : table.TakePresence()) {
        if (news.seat >= static_cast<int>(table.Seats().size())) continue;
        const std::string sentence =
            PresenceSentence(texts, news.moment, table.Seats()[static_cast<std::size_t>(news.seat)].name);
        if (sentence.empty()) continue;
        view.ShowMessage(sentence);
        view.Speak(sentence);
    }
}

std::string FormFullTable::TroubleText(OnlineTrouble trouble) const {
    static const struct {
        OnlineTrouble trouble;
        unsigned text;
    } words[] = {
        {OnlineTrouble::NeedsWindows8, TextIds::kOnlineNeedsWindows8},
        {OnlineTrouble::Unreachable, TextIds::kOnlineUnreachable},
        {OnlineTrouble::NotTheInvitedServer, TextIds::kOnlineNotInvited},
        {OnlineTrouble::UnknownCode, TextIds::kOnlineUnknownCode},
        {OnlineTrouble::TableFull, TextIds::kOnlineTableFull},
        {OnlineTrouble::NameTaken, TextIds::kOnlineNameTaken},
        {OnlineTrouble::BadName, TextIds::kOnlineBadName},
        {OnlineTrouble::OtherVersion, TextIds::kOnlineOtherVersion},
        {OnlineTrouble::TooManyTries, TextIds::kOnlineTooManyTries},
    };
    for (const auto& w : words)
        if (w.trouble == trouble) return texts.Text(w.text);
    return {};
}

// Before an evening held elsewhere starts, the round's controls give way to the free seats
// for whoever may give them to a computer player; the seat chosen stays chosen while it is free.
void FormFullTable::FollowGathering() {
    const bool gathering = session != nullptr && session->Gathering();
    const std::vector<int> free = gathering ? session->FreeSeats() : std::vector<int>{};
    const bool giving = gathering && !free.empty() && session->MayGiveSeat(free.front());
    if (free != freeSeats) {
        const auto shown = static_cast<std::size_t>(std::max(0, table.freeSeatChoice->Selected()));
        const int chosen = shown < freeSeats.size() ? freeSeats[shown] : -1;
        std::vector<std::string> names;
        names.reserve(free.size());
        for (const int seat : free) names.push_back(narrator.FreeSeatName(seat));
        table.freeSeatChoice->SetChoices(names);
        const auto still = std::find(free.begin(), free.end(), chosen);
        table.freeSeatChoice->Select(still != free.end() ? static_cast<int>(still - free.begin()) : 0);
        freeSeats = free;
    }
    table.giveSeatButton->SetEnabled(giving);
    table.ShowGathering(gathering, giving, online != nullptr ? online->Table().Invitation() : std::string());
}

void FormFullTable::GiveSeat() {
    const int chosen = table.freeSeatChoice->Selected();
    if (chosen < 0 || chosen >= static_cast<int>(freeSeats.size())) return;
    const int style = std::clamp(table.styleChoice->Selected(), 0, kPlayStyleCount - 1);
    session->GiveToComputer(freeSeats[static_cast<std::size_t>(chosen)], static_cast<PlayStyle>(style),
                            NameForNewSeat(session->Seats(), texts));
}

}  // namespace DoDadu
