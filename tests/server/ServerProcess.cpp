#include "ServerProcess.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace DoDadu::Testing {

Child::Child(const std::vector<std::string>& argv, const std::string& out, const std::string& err) {
    pid = ::fork();
    if (pid != 0) return;
    const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    ::dup2(outFd, 1);
    ::dup2(errFd, 2);
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    ::_exit(127);
}

Child::~Child() {
    if (pid <= 0) return;
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

Child& Child::operator=(Child&& other) noexcept {
    if (this != &other) {
        this->~Child();
        pid = other.pid;
        other.pid = -1;
    }
    return *this;
}

void Child::Signal(int signal) const {
    if (pid > 0) ::kill(pid, signal);
}

int Child::Wait(std::chrono::milliseconds within) {
    const auto until = std::chrono::steady_clock::now() + within;
    while (pid > 0) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (std::chrono::steady_clock::now() > until) return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(path));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool WaitForText(const std::string& path, const std::string& text, std::chrono::milliseconds within) {
    const auto until = std::chrono::steady_clock::now() + within;
    while (ReadFile(path).find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

std::string MakeFolder() {
    char name[] = "/tmp/zandro-server-test-XXXXXX";
    if (::mkdtemp(name) == nullptr) throw std::runtime_error("no temporary folder");
    return name;
}

void RemoveFolder(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void MakeCertificate(const std::string& folder) {
    const std::string command =
        "cd " + folder +
        " && openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes"
        " -keyout key.pem -out cert.pem -days 2 -subj /CN=test"
        " -addext subjectAltName=IP:127.0.0.1 2>/dev/null";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("openssl could not make a certificate");
}

ServerProcess::ServerProcess(bool plain, std::vector<std::string> extra)
    : plain(plain), extra(std::move(extra)), folder(MakeFolder()) {
    if (!plain) MakeCertificate(folder);
}

// Starts it, on a free port the first time and on the same port after.
void ServerProcess::Start() {
    std::vector<std::string> argv = {ZANDRO_SERVER, "--port",    std::to_string(port),
                                     "--bind",      "127.0.0.1", "--public-host",
                                     "127.0.0.1",   "--state",   folder + "/state"};
    if (plain) {
        argv.push_back("--insecure-local");
    } else {
        argv.insert(argv.end(), {"--cert", folder + "/cert.pem", "--key", folder + "/key.pem"});
    }
    argv.insert(argv.end(), extra.begin(), extra.end());
    const std::string out = folder + "/server.out." + std::to_string(++starts);
    child = Child(argv, out, Log());
    if (!WaitForText(out, "zandro-server at ", std::chrono::seconds(60)))
        throw std::runtime_error("no server");
    const std::string line = ReadFile(out);
    const std::size_t colon = line.find(':', line.find("127.0.0.1"));
    port = std::stoi(line.substr(colon + 1));
    const std::size_t pin = line.find("sha256=");
    if (pin != std::string::npos) fingerprint = line.substr(pin + 7, 64);
}

ServerProcess::~ServerProcess() {
    child = Child();
    if (!testing::Test::HasFailure()) RemoveFolder(folder);
}

void ServerProcess::Kill9() {
    child.Signal(SIGKILL);
    child.Wait(std::chrono::seconds(10));
}

std::string ServerProcess::Url() const {
    return (plain ? "ws://127.0.0.1:" : "wss://127.0.0.1:") + std::to_string(port);
}

}  // namespace DoDadu::Testing
