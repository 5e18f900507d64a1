// bxl-unit-sim: a simulated Brisaval XL controller on a serial line. It
// answers the tool's frames with the pacing of a 9600-baud line, from a
// unit model that runs in real time, and can inject faults on request.
#include <csignal>
#include <cstdio>
#include <string>

#include "sim/Endpoint.h"
#include "sim/Options.h"
#include "sim/Trace.h"
#include "sim/UnitServer.h"

namespace {

volatile std::sig_atomic_t gStop = 0;
void onSignal(int) {
    gStop = 1;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace bxl::sim;
    const Options options = parseOptions(argc, argv);
    const auto start = UnitServer::Clock::now();

    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    Endpoint line;
    const bool opened =
        options.device.empty() ? line.openPseudoTerminal(options.port) : line.openDevice(options.device);
    if (!opened) {
        std::fprintf(stderr, "bxl-unit-sim: %s\n", line.error().c_str());
        return 1;
    }
    if (!options.quiet) {
        if (line.alias().empty())
            std::printf("bxl-unit-sim: serving %s\n", line.served().c_str());
        else
            std::printf("bxl-unit-sim: serving port %d on %s via %s\n", options.port, line.served().c_str(),
                        line.alias().c_str());
        std::fflush(stdout);
    }

    Trace trace(start);
    std::string error;
    if (!options.trace.empty() && !trace.open(options.trace, error)) {
        std::fprintf(stderr, "bxl-unit-sim: %s\n", error.c_str());
        return 1;
    }
    UnitServer server(options, line.fd(), line.holdsLine(), trace, start);
    server.run(gStop);

    line.close();
    std::printf("bxl-unit-sim: %s\n", server.summary().c_str());
    std::fflush(stdout);
    return 0;
}
