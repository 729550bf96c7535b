// zandro-server: holds online tables for people on several computers (docs/server.md).
#include "Certificate.h"
#include "Listener.h"
#include "ServerOptions.h"
#include "TableHall.h"

#include <boost/asio/ip/host_name.hpp>
#include <boost/asio/signal_set.hpp>
#include <boost/asio/ssl/context.hpp>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <iostream>

using namespace DoDadu;
namespace asio = boost::asio;

namespace {

void LogLine(const std::string& line) {
    const std::time_t now = std::time(nullptr);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", std::gmtime(&now));
    std::cerr << stamp << ' ' << line << std::endl;
}

int Fail(const std::string& why) {
    std::cerr << "zandro-server: " << why << '\n';
    return 2;
}

}  // namespace

int Serve(int argc, char** argv) {
    std::string error;
    const auto options = ParseServerOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) return Fail(error + "\n" + kServerUsage);

    asio::ssl::context tls(asio::ssl::context::tls_server);
    std::optional<Certificate> certificate;
    if (!options->insecureLocal) {
        certificate = ReadCertificate(options->cert);
        if (!certificate) return Fail("cannot read the certificate " + options->cert);
        boost::system::error_code failed;
        tls.set_options(asio::ssl::context::default_workarounds | asio::ssl::context::no_sslv2 |
                        asio::ssl::context::no_sslv3 | asio::ssl::context::no_tlsv1 |
                        asio::ssl::context::no_tlsv1_1 | asio::ssl::context::single_dh_use);
        tls.use_certificate_chain_file(options->cert, failed);
        if (!failed) tls.use_private_key_file(options->key, asio::ssl::context::pem, failed);
        if (failed) return Fail("cannot use the certificate and key: " + failed.message());
        // An idle connection gives its TLS buffers back: most of a table's time is waiting.
        SSL_CTX_set_mode(tls.native_handle(), SSL_MODE_RELEASE_BUFFERS);
        // A record is read from the socket in one call, not its header and then its body.
        SSL_CTX_set_read_ahead(tls.native_handle(), 1);
    }

    // OpenSSL writes to the sockets itself (TlsStream), with no flag against SIGPIPE: a
    // peer gone mid-write must be an error on its connection, not the end of the server.
    std::signal(SIGPIPE, SIG_IGN);

    asio::io_context io(1);
    boost::system::error_code failed;
    const auto address = asio::ip::make_address(options->bind, failed);
    if (failed) return Fail("cannot listen on " + options->bind);
    asio::ip::tcp::acceptor acceptor(io);
    const asio::ip::tcp::endpoint endpoint(address, static_cast<unsigned short>(options->port));
    acceptor.open(endpoint.protocol(), failed);
    if (!failed) acceptor.set_option(asio::socket_base::reuse_address(true), failed);
    if (!failed) acceptor.bind(endpoint, failed);
    if (!failed) acceptor.listen(asio::socket_base::max_listen_connections, failed);
    if (failed)
        return Fail("cannot listen on port " + std::to_string(options->port) + ": " + failed.message());
    const int port = acceptor.local_endpoint().port();

    HallSettings settings;
    settings.pace = options->pace;
    settings.stateFolder = options->stateFolder;
    std::string host = options->publicHost;
    if (host.empty()) host = options->bind == "0.0.0.0" ? asio::ip::host_name() : options->bind;
    settings.address = {host, port, "",
                        certificate && certificate->selfSigned ? certificate->fingerprint : ""};
    TableHall hall(io, settings, LogLine);
    if (!hall.Restore()) return Fail("cannot use the state folder " + options->stateFolder);
    Listener listener(acceptor, hall, options->insecureLocal ? nullptr : &tls);
    listener.Start();

    if (certificate)
        std::cout << "zandro-server at wss://" << host << ':' << port
                  << " sha256=" << certificate->fingerprint << std::endl;
    else
        std::cout << "zandro-server at ws://" << host << ':' << port << " (plain, this computer only)"
                  << std::endl;

    asio::signal_set stop(io, SIGINT, SIGTERM);
    stop.async_wait([&io](const boost::system::error_code&, int) { io.stop(); });
    io.run();
    return 0;
}

int main(int argc, char** argv) {
    try {
        return Serve(argc, argv);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "zandro-server: %s\n", failure.what());
    } catch (...) {
        std::fputs("zandro-server: stopped by an unknown failure\n", stderr);
    }
    return 1;
}
