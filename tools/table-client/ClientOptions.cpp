#include "ClientOptions.h"
#include "Invitation.h"
#include "WireNames.h"

namespace DoDadu {

const char* const kClientUsage =
    "usage: zandro-table-client --server wss://HOST:PORT [--pin SHA256]\n"
    "         (--create --rules italian|spanish|classic --seats person,person,careful,expert | --join CODE)\n"
    "         --name NAME --play careful|bold|expert [--rounds N] [--frame-log FILE]\n";

namespace {

bool ReadServer(const std::string& url, ClientOptions& options) {
    std::string rest;
    if (url.rfind("wss://", 0) == 0) {
        rest = url.substr(6);
    } else if (url.rfind("ws://", 0) == 0) {
        rest = url.substr(5);
        options.tls = false;
    } else {
        return false;
    }
    if (!rest.empty() && rest.back() == '/') rest.pop_back();
    // The invitation's reader knows hosts and ports; a code of zeros stands in for one.
    const auto read = ParseInvitation("zandro://" + rest + "/000000");
    if (!read) return false;
    options.host = read->host;
    options.port = read->port;
    return options.tls || options.host == "127.0.0.1";
}

bool ReadSeats(const std::string& list, std::vector<SeatPlan>& seats) {
    std::size_t begin = 0;
    while (begin <= list.size()) {
        const std::size_t comma = std::min(list.find(',', begin), list.size());
        const std::string word = list.substr(begin, comma - begin);
        SeatPlan seat;
        if (word == "person") {
            seat.kind = SeatKind::Person;
        } else {
            seat.kind = SeatKind::Computer;
            if (!FromWire(word, kStyleNames, seat.style)) return false;
        }
        seats.push_back(seat);
        begin = comma + 1;
    }
    return true;
}

bool ReadRules(const std::string& name, HouseRules& rules) {
    if (name == "italian")
        rules = HouseRules::Italian();
    else if (name == "spanish")
        rules = HouseRules::Spanish();
    else if (name == "classic")
        rules = HouseRules::Classic();
    else
        return false;
    return true;
}

}  // namespace

std::optional<ClientOptions> ParseClientOptions(const std::vector<std::string>& args, std::string& error) {
    ClientOptions options;
    bool haveServer = false;
    bool haveRules = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--create") {
            options.create = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = arg + " needs a value";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        bool ok = true;
        if (arg == "--server") {
            ok = haveServer = ReadServer(value, options);
        } else if (arg == "--pin") {
            const auto pin = NormalFingerprint(value);
            ok = pin.has_value();
            if (ok) options.pin = *pin;
        } else if (arg == "--rules") {
            ok = haveRules = ReadRules(value, options.plan.rules);
        } else if (arg == "--seats") {
            ok = ReadSeats(value, options.plan.seats);
        } else if (arg == "--join") {
            options.code = value;
        } else if (arg == "--name") {
            options.name = value;
        } else if (arg == "--play") {
            ok = FromWire(value, kStyleNames, options.play);
        } else if (arg == "--rounds") {
            ok = !value.empty() && value.size() < 7 &&
                 value.find_first_not_of("0123456789") == std::string::npos;
            if (ok) options.rounds = std::stoi(value);
        } else if (arg == "--frame-log") {
            options.frameLog = value;
        } else {
            ok = false;
        }
        if (!ok) {
            error = "cannot read " + arg;
            error += " " + value;
            return std::nullopt;
        }
    }
    if (!haveServer)
        error = "--server wss://HOST:PORT is needed (ws:// only to 127.0.0.1)";
    else if (options.create == !options.code.empty())
        error = "either --create or --join CODE";
    else if (options.create && (!haveRules || options.plan.seats.empty()))
        error = "--create needs --rules and --seats";
    else if (options.name.empty())
        error = "--name is needed";
    if (!error.empty()) return std::nullopt;
    options.plan.name = options.name;
    options.plan.rounds = options.rounds;
    return options;
}

}  // namespace DoDadu
