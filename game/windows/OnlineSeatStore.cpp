#include "OnlineSeatStore.h"

#include "SettingsStore.h"

#include <algorithm>
#include <cctype>

namespace DoDadu {

namespace {

const char kApplication[] = "Zandro";
const char kSection[] = "Online";

std::string Read(const char* name) { return NeloUtility::ReadTextSetting(kApplication, kSection, name); }

bool IsToken(const std::string& text) {
    return text.size() == 32 && std::all_of(text.begin(), text.end(), [](char c) {
               return std::isxdigit(static_cast<unsigned char>(c));
           });
}

// A seat is held while a well-formed token and the table's invitation are both kept.
bool HoldsSeat(const std::string& token, const std::string& invitation) {
    return IsToken(token) && !invitation.empty();
}

}  // namespace

OnlineSeat ReadOnlineSeat() {
    OnlineSeat seat{Read("Invitation"), Read("Token"), Read("Server"), Read("Name")};
    if (!HoldsSeat(seat.token, seat.invitation)) seat.token.clear();
    return seat;
}

// Every start asks, and most keep no seat: the token alone is read then.
bool HoldsOnlineSeat() {
    const std::string token = Read("Token");
    return IsToken(token) && HoldsSeat(token, Read("Invitation"));
}

void WriteOnlineSeat(const OnlineSeat& seat) {
    NeloUtility::WriteSetting(kApplication, kSection, "Invitation", seat.invitation);
    NeloUtility::WriteSetting(kApplication, kSection, "Token", seat.token);
    NeloUtility::WriteSetting(kApplication, kSection, "Server", seat.server);
    NeloUtility::WriteSetting(kApplication, kSection, "Name", seat.name);
}

}  // namespace DoDadu
