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

}  // namespace

OnlineSeat ReadOnlineSeat() {
    OnlineSeat seat{Read("Invitation"), Read("Token"), Read("Server"), Read("Name")};
    if (!IsToken(seat.token) || seat.invitation.empty()) seat.token.clear();
    return seat;
}

void WriteOnlineSeat(const OnlineSeat& seat) {
    NeloUtility::WriteSetting(kApplication, kSection, "Invitation", seat.invitation);
    NeloUtility::WriteSetting(kApplication, kSection, "Token", seat.token);
    NeloUtility::WriteSetting(kApplication, kSection, "Server", seat.server);
    NeloUtility::WriteSetting(kApplication, kSection, "Name", seat.name);
}

}  // namespace DoDadu
