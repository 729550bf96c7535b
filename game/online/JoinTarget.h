// What a person gives the join box, read into a table to join: an invitation pasted from a
// mail or a chat (zandro://HOST:PORT/CODE#sha256=...), or a code typed beside a server
// typed as HOST:PORT or pasted as an invitation.
#pragma once
#include "Invitation.h"

#include <optional>
#include <string>

namespace DoDadu {

// The server as HOST:PORT (an IPv6 address in brackets), or an invitation whose server is
// taken; none for anything else. The certificate's digest may follow, as an invitation
// carries it ("#sha256=...") or as the server prints it when it starts ("wss://HOST:PORT
// sha256=...", pasted whole or in part): the link then takes that certificate alone.
std::optional<Invitation> ReadServer(const std::string& typed);

// The table to join: `table` an invitation, or a code with `server` read as ReadServer
// reads it. Spaces and line breaks around a pasted text, and the <> or quotes a mail puts
// round a link, are left out. None for anything else.
std::optional<Invitation> ReadJoinTarget(const std::string& table, const std::string& server);

}  // namespace DoDadu
