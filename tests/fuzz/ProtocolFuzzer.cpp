// Feeds the online table's decoders arbitrary frames, as a hostile client or server
// would send them. Nothing may crash or leak; a frame that decodes must encode to text
// that decodes to the same message, and the readers of codes, invitations and names
// must give only what they promise.
#include "Invitation.h"
#include "ProtocolCodec.h"
#include "RoomCode.h"
#include "SeatName.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace DoDadu;

void Broken(const char* what, const std::string& text) {
    std::fprintf(stderr, "protocol broken: %s: %s\n", what, text.c_str());
    std::abort();
}

template <typename Message>
void RoundTrip(const Decoded<Message>& first, std::string (*encode)(const Message&),
               Decoded<Message> (*decode)(const std::string&), const std::string& frame) {
    if (!first.ok) return;
    const std::string text = encode(first.message);
    const Decoded<Message> again = decode(text);
    if (!again.ok || encode(again.message) != text) Broken("a decoded frame does not come back", frame);
    if (text.size() > 4 * frame.size() + 4096) Broken("a frame grew on the way back", frame);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string frame(reinterpret_cast<const char*>(data), size);
    RoundTrip(DecodeClient(frame), &EncodeClient, &DecodeClient, frame);
    RoundTrip(DecodeServer(frame), &EncodeServer, &DecodeServer, frame);
    if (const auto code = NormalRoomCode(frame)) {
        if (code->size() != kRoomCodeLength || NormalRoomCode(*code) != code)
            Broken("a code reads twice", frame);
    }
    if (const auto invitation = ParseInvitation(frame)) {
        const auto again = ParseInvitation(InvitationText(*invitation));
        if (!again || again->host != invitation->host || again->port != invitation->port ||
            again->code != invitation->code || again->fingerprint != invitation->fingerprint)
            Broken("an invitation does not come back", frame);
    }
    if (const auto name = CheckedSeatName(frame)) {
        if (name->empty() || CheckedSeatName(*name) != name) Broken("a name checks twice", frame);
    }
    return 0;
}
