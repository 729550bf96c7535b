#pragma once
// A zandro-server and zandro-table-client processes for tests: started on 127.0.0.1 in a
// folder of their own, with a throw-away certificate, and stopped or killed by id.
#include <signal.h>
#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace DoDadu::Testing {

// A child process with its output in files.
class Child {
public:
    Child() = default;
    Child(const std::vector<std::string>& argv, const std::string& out, const std::string& err);
    ~Child();
    Child(Child&& other) noexcept : pid(other.pid) { other.pid = -1; }
    Child& operator=(Child&& other) noexcept;
    void Signal(int signal) const;
    // The exit status, or -1 when it did not end within the time.
    int Wait(std::chrono::milliseconds within);
    bool Running() const { return pid > 0; }

private:
    pid_t pid = -1;
};

std::string ReadFile(const std::string& path);
std::vector<std::string> Lines(const std::string& path);
// Waits until the file holds the text; false after the time.
bool WaitForText(const std::string& path, const std::string& text, std::chrono::milliseconds within);
std::string MakeFolder();
void RemoveFolder(const std::string& folder);
// A throw-away certificate for 127.0.0.1 in the folder: cert.pem and key.pem.
void MakeCertificate(const std::string& folder);

// The server under test: TLS with a throw-away certificate unless plain.
class ServerProcess {
public:
    ServerProcess(bool plain, std::vector<std::string> extra);
    // Stops the server; its folder goes too unless the test failed (it then tells why).
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;
    void Start();
    void Kill9();
    int Port() const { return port; }
    const std::string& Fingerprint() const { return fingerprint; }
    const std::string& Folder() const { return folder; }
    std::string Url() const;
    std::string Log() const { return folder + "/server.err"; }

private:
    bool plain;
    std::vector<std::string> extra;
    std::string folder;
    int port = 0;
    int starts = 0;
    std::string fingerprint;
    Child child;
};

}  // namespace DoDadu::Testing
