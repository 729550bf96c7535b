#include "TableFiles.h"
#include "EveningStore.h"
#include "ProtocolCodec.h"
#include "RoomCode.h"

#include <nlohmann/json.hpp>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace DoDadu {

using nlohmann::json;

namespace {

constexpr std::size_t kLargestFile = 1 << 20;

std::string CheckOf(const std::string& body) {
    StoreCheck check;
    check.Add("table", body);
    return check.Text();
}

bool WriteWhole(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool TableFiles::Ready() const {
    ::mkdir(folder.c_str(), 0700);
    return ::access(folder.c_str(), W_OK) == 0;
}

std::string TableFiles::Text(const TableRecord& r) {
    json taken = json::array();
    for (bool seat : r.taken) taken.push_back(seat);
    json body = {{"code", r.code},
                 {"created", r.created},
                 {"ended", r.ended},
                 {"phase", static_cast<int>(r.phase)},
                 {"end_reason", static_cast<int>(r.endReason)},
                 {"end_asked", r.endAsked},
                 {"creator", r.creator},
                 {"plan", EncodeClient(r.plan)},
                 {"taken", taken},
                 {"tokens", r.tokens},
                 {"evening", r.evening}};
    const std::string text = body.dump();
    return json{{"table", text}, {"check", CheckOf(text)}}.dump() + "\n";
}

bool TableFiles::FromText(const std::string& text, TableRecord& r) {
    const json outer = json::parse(text, nullptr, false);
    if (!outer.is_object() || !outer.contains("table") || !outer.contains("check")) return false;
    if (!outer["table"].is_string() || !outer["check"].is_string()) return false;
    const std::string inner = outer["table"].get<std::string>();
    if (CheckOf(inner) != outer["check"].get<std::string>()) return false;
    const json body = json::parse(inner, nullptr, false);
    if (!body.is_object()) return false;
    try {
        r.code = body.at("code").get<std::string>();
        r.created = body.at("created").get<std::int64_t>();
        r.ended = body.at("ended").get<std::int64_t>();
        const int phase = body.at("phase").get<int>();
        const int reason = body.at("end_reason").get<int>();
        if (phase < 0 || phase > 2 || reason < 0 || reason > 3) return false;
        r.phase = static_cast<TablePhase>(phase);
        r.endReason = static_cast<EndReason>(reason);
        r.endAsked = body.at("end_asked").get<bool>();
        r.creator = body.at("creator").get<int>();
        const auto plan = DecodeClient(body.at("plan").get<std::string>());
        if (!plan.ok || !std::holds_alternative<CreateTable>(plan.message)) return false;
        r.plan = std::get<CreateTable>(plan.message);
        r.taken = body.at("taken").get<std::vector<bool>>();
        r.tokens = body.at("tokens").get<std::vector<std::string>>();
        r.evening = body.at("evening").get<std::map<std::string, std::string>>();
    } catch (const json::exception&) {
        return false;
    }
    const std::size_t seats = r.plan.seats.size();
    return NormalRoomCode(r.code) == r.code && r.taken.size() == seats && r.tokens.size() == seats &&
           r.creator >= 0 && static_cast<std::size_t>(r.creator) < seats;
}

bool TableFiles::Write(const TableRecord& record) const {
    const std::string path = PathOf(record.code);
    const std::string fresh = path + ".new";
    const int fd = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) return false;
    const bool whole = WriteWhole(fd, Text(record)) && ::fsync(fd) == 0;
    ::close(fd);
    if (!whole || std::rename(fresh.c_str(), path.c_str()) != 0) {
        std::remove(fresh.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}

void TableFiles::Remove(const std::string& code) const {
    std::remove(PathOf(code).c_str());
    SyncFolder(folder);
}

std::vector<TableRecord> TableFiles::ReadAll(std::vector<std::string>& skipped) const {
    std::vector<TableRecord> records;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return records;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        const std::string suffix = ".table";
        if (name.size() <= suffix.size() ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        std::ifstream in(folder + "/" + name, std::ios::binary);
        std::string text(kLargestFile + 1, '\0');
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(in.gcount()));
        TableRecord record;
        if (text.size() <= kLargestFile && FromText(text, record) && name == record.code + suffix)
            records.push_back(std::move(record));
        else
            skipped.push_back(name);
    }
    ::closedir(dir);
    return records;
}

}  // namespace DoDadu
