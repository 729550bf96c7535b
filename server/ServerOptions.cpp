#include "ServerOptions.h"

namespace DoDadu {

const char* const kServerUsage =
    "usage: zandro-server --port N [--cert FILE --key FILE] [--state DIR] [--insecure-local]\n"
    "                     [--bind ADDRESS] [--public-host NAME]\n"
    "                     [--computer-step MS] [--round-pause MS] [--seat-hold S]\n";

namespace {

bool Number(const std::string& text, long long most, long long& value) {
    if (text.empty() || text.size() > 9) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value <= most;
}

}  // namespace

std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args, std::string& error) {
    ServerOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--insecure-local") {
            options.insecureLocal = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = arg.rfind("--", 0) == 0 ? arg + " needs a value" : "unknown argument " + arg;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        long long number = 0;
        if (arg == "--port" && Number(value, 65535, number)) {
            options.port = static_cast<int>(number);
        } else if (arg == "--cert") {
            options.cert = value;
        } else if (arg == "--key") {
            options.key = value;
        } else if (arg == "--state") {
            options.stateFolder = value;
        } else if (arg == "--bind") {
            options.bind = value;
        } else if (arg == "--public-host") {
            options.publicHost = value;
        } else if (arg == "--computer-step" && Number(value, 600000, number)) {
            options.pace.computerStep = std::chrono::milliseconds(number);
        } else if (arg == "--round-pause" && Number(value, 600000, number)) {
            options.pace.roundPause = std::chrono::milliseconds(number);
        } else if (arg == "--seat-hold" && Number(value, 86400, number)) {
            options.pace.seatHold = std::chrono::seconds(number);
        } else {
            error = "cannot read " + arg;
            error += " " + value;
            return std::nullopt;
        }
    }
    if (options.port < 0) {
        error = "--port is needed";
    } else if (options.insecureLocal && (!options.cert.empty() || !options.key.empty())) {
        error = "--insecure-local has no certificate";
    } else if (!options.insecureLocal && (options.cert.empty() || options.key.empty())) {
        error = "TLS needs --cert and --key (plain ws:// only with --insecure-local, on 127.0.0.1)";
    } else if (options.insecureLocal && !options.bind.empty() && options.bind != "127.0.0.1") {
        error = "--insecure-local listens on 127.0.0.1 only";
    }
    if (!error.empty()) return std::nullopt;
    if (options.bind.empty()) options.bind = options.insecureLocal ? "127.0.0.1" : "0.0.0.0";
    return options;
}

}  // namespace DoDadu
