// zandro-table-load: many tables of four seats against one server, for scripts/bench.
// Every seat acts a second after its turn comes (a stand from 5 points, else a card);
// the time from an action to every seat's next view is measured, with the rounds played
// and, when the server's process id is given, its memory and processor time.
//   zandro-table-load --server wss://HOST:PORT [--pin SHA256] --tables N [--seconds S]
//                     [--warm-up S] [--server-pid PID]
#include "ClientLink.h"
#include "ProtocolCodec.h"

#include <boost/asio/steady_timer.hpp>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unistd.h>

using namespace DoDadu;
namespace asio = boost::asio;
using Clock = std::chrono::steady_clock;

namespace {

struct BenchTable;

struct BenchSeat {
    BenchTable* table = nullptr;
    int index = 0;
    std::shared_ptr<ClientLink> link;
    std::unique_ptr<asio::steady_timer> turn;
    bool open = false;
};

struct BenchTable {
    std::string code;
    BenchSeat seats[4];
    unsigned waiting = 0;  // one bit for each seat still to hear of the action in flight
    Clock::time_point sentAt;
};

struct Figures {
    std::vector<double> latencies;  // ms
    long rounds = 0;
    bool measuring = false;
    int connected = 0;
    int failed = 0;
};

// The server's peak resident memory (kB) and processor time (s) from /proc.
long PeakKb(int pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

double CpuSeconds(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i)
        if (i == 14 || i == 15) ticks += std::stol(field);
    return static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1,
                           static_cast<std::size_t>(share * static_cast<double>(values.size())))];
}

class Load {
public:
    Load(ClientOptions options, int tables)
        : options(std::move(options)), tables(static_cast<std::size_t>(tables)) {
        tls.set_verify_mode(asio::ssl::verify_none);  // the pin is checked by the link
    }
    asio::io_context io;
    Figures figures;

    void Open(std::size_t from) {
        // Tables open a few at a time, so that the handshakes do not all come at once.
        for (std::size_t t = from; t < std::min(from + 20, tables.size()); ++t) OpenSeat(tables[t], 0);
        if (from + 20 >= tables.size()) return;
        auto next = std::make_shared<asio::steady_timer>(io, std::chrono::milliseconds(100));
        next->async_wait([this, next, from](const boost::system::error_code&) { Open(from + 20); });
    }

private:
    void OpenSeat(BenchTable& table, int index) {
        BenchSeat& seat = table.seats[index];
        seat.table = &table;
        seat.index = index;
        seat.turn = std::make_unique<asio::steady_timer>(io);
        ClientLink::Handlers handlers{
            [this, &seat] { Opened(seat); }, [this, &seat](const std::string& text) { Heard(seat, text); },
            [this](LinkEnd, const std::string& why) {
                if (++figures.failed <= 3)
                    std::cerr << "zandro-table-load: a link ended: " << why << std::endl;
            }};
        seat.link = ClientLink::Open(io, options.tls ? &tls : nullptr, options, std::move(handlers));
    }

    void Opened(BenchSeat& seat) {
        ++figures.connected;
        seat.open = true;
        if (seat.index == 0) {
            CreateTable create;
            create.name = "Seat 1";
            create.rules = HouseRules::Italian();
            create.seats.assign(4, SeatPlan{});
            seat.link->Send(EncodeClient(create));
        } else {
            seat.link->Send(
                EncodeClient(JoinTable{seat.table->code, "Seat " + std::to_string(seat.index + 1)}));
        }
    }

    void Heard(BenchSeat& seat, const std::string& text) {
        const Decoded<ServerMessage> decoded = DecodeServer(text);
        if (!decoded.ok) return;
        BenchTable& table = *seat.table;
        if (const auto* seated = std::get_if<Seated>(&decoded.message)) {
            if (seat.index == 0) {
                table.code = seated->code;
                for (int other = 1; other < 4; ++other) OpenSeat(table, other);
            }
            return;
        }
        const auto* view = std::get_if<TableView>(&decoded.message);
        if (view == nullptr) return;
        if (view->phase == TablePhase::Lobby) {
            if (view->canStart) seat.link->Send(EncodeClient(StartEvening{}));
            return;
        }
        const unsigned bit = 1u << seat.index;
        const bool lastToHear = (table.waiting & bit) != 0 && (table.waiting &= ~bit) == 0;
        if (lastToHear && !view->events.empty() && figures.measuring)
            figures.latencies.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - table.sentAt).count());
        if (seat.index == 0 && figures.measuring)
            for (const SeenEvent& event : view->events)
                if (event.presence == PresenceMoment::None && event.moment == TableMoment::RoundEnds)
                    ++figures.rounds;
        if (view->mayDraw) Act(seat, *view);
    }

    // A second after its turn comes, the seat plays: a stand from 5 points, else a card.
    void Act(BenchSeat& seat, const TableView& view) {
        const auto& own = view.seats[static_cast<std::size_t>(view.you)];
        const bool stands = own.points.value_or(0) >= 5.0;
        seat.turn->expires_after(std::chrono::seconds(1));
        seat.turn->async_wait([this, &seat, stands](const boost::system::error_code& error) {
            if (error) return;
            BenchTable& table = *seat.table;
            table.waiting = 0xF;
            table.sentAt = Clock::now();
            seat.link->Send(stands ? EncodeClient(StandNow{}) : EncodeClient(TakeCard{}));
        });
    }

    ClientOptions options;
    asio::ssl::context tls{asio::ssl::context::tls_client};
    std::vector<BenchTable> tables;
};

}  // namespace

int Measure(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    int tables = 10;
    int seconds = 60;
    int warmUp = 20;
    int pid = 0;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i + 1 < args.size() && args[i] == "--tables")
            tables = std::stoi(args[++i]);
        else if (i + 1 < args.size() && args[i] == "--seconds")
            seconds = std::stoi(args[++i]);
        else if (i + 1 < args.size() && args[i] == "--warm-up")
            warmUp = std::stoi(args[++i]);
        else if (i + 1 < args.size() && args[i] == "--server-pid")
            pid = std::stoi(args[++i]);
        else
            rest.push_back(args[i]);
    }
    rest.insert(rest.end(), {"--join", "000000", "--name", "load"});
    std::string error;
    auto options = ParseClientOptions(rest, error);
    if (!options) {
        std::cerr << "zandro-table-load: " << error << '\n';
        return 2;
    }
    Load load(*options, tables);
    const long baseKb = pid > 0 ? PeakKb(pid) : 0;
    load.Open(0);
    double cpuBefore = 0;
    asio::steady_timer warm(load.io, std::chrono::seconds(warmUp));
    warm.async_wait([&](const boost::system::error_code&) {
        load.figures.measuring = true;
        if (pid > 0) cpuBefore = CpuSeconds(pid);
    });
    asio::steady_timer end(load.io, std::chrono::seconds(warmUp + seconds));
    end.async_wait([&](const boost::system::error_code&) { load.io.stop(); });
    load.io.run();
    const Figures& f = load.figures;
    std::cout << "tables: " << tables << "\nconnections: " << f.connected << " (" << f.failed << " ended)\n"
              << "rounds a second: " << static_cast<double>(f.rounds) / seconds << "\n"
              << "action to every seat's update: p50 " << Percentile(f.latencies, 0.5) << " ms, p99 "
              << Percentile(f.latencies, 0.99) << " ms (" << f.latencies.size() << " actions)\n";
    if (pid > 0) {
        const long peak = PeakKb(pid);
        const double cpu = CpuSeconds(pid) - cpuBefore;
        std::cout << "server peak memory: " << peak / 1024 << " MB; per table " << (peak - baseKb) / tables
                  << " KB (above " << baseKb / 1024 << " MB idle)\n"
                  << "server processor time: " << cpu << " s in " << seconds << " s (" << cpu / seconds
                  << " of a core)\n";
    }
    return f.connected == 4 * tables ? 0 : 1;
}

int main(int argc, char** argv) {
    try {
        return Measure(argc, argv);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "zandro-table-load: %s\n", failure.what());
    } catch (...) {
        std::fputs("zandro-table-load: stopped by an unknown failure\n", stderr);
    }
    return 2;
}
