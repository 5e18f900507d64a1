#include "sim/Options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace bxl::sim {

namespace {

const char* kUsage =
    "Usage: bxl-unit-sim [options]\n"
    "A simulated Brisaval XL unit controller on a serial line.\n"
    "\n"
    "  --port N            serve a pseudo-terminal linked as the tool's port N\n"
    "                      alias (1..16, default 1)\n"
    "  --device PATH       serve an existing tty instead (e.g. a USB adapter)\n"
    "  --byte-ms MS        time per byte sent (default 1.0417, 9600 baud)\n"
    "  --reply-delay MS    time before a reply starts (default 5)\n"
    "  --drop P            drop a share P (0..1) of replies\n"
    "  --corrupt P         send a share P of replies with a wrong checksum\n"
    "  --split P           split a share P of replies with a pause\n"
    "  --split-pause MS    length of that pause (default 300)\n"
    "  --garbage P         send random bytes instead of a share P of replies\n"
    "  --silent-after S    stop answering S seconds after start\n"
    "  --silent-for S      ... for S seconds, then answer again (from the start\n"
    "                      without --silent-after)\n"
    "  --overrun P         send a run of 1000 random bytes instead of a share P\n"
    "  --stray P           send a single stray byte instead of a share P\n"
    "  --unexpected P      send a valid frame of an unexpected command or length\n"
    "                      instead of a share P\n"
    "  --wrong-line W      answer on wrong line settings of the tool's side:\n"
    "                      nothing (default) or garbage\n"
    "  --close-after S     close the line S seconds after start and exit\n"
    "  --echo-diff I       echo controls value I (0..199) off by one\n"
    "  --seed N            seed of the fault and noise generator (default 1)\n"
    "  --trace FILE        write every frame in and out with a timestamp\n"
    "  --quiet             print only the summary line\n"
    "  --help              show this text\n";

[[noreturn]] void usageError(const std::string& message) {
    std::fprintf(stderr, "bxl-unit-sim: %s\n\n%s", message.c_str(), kUsage);
    std::exit(2);
}

double number(const std::string& option, const char* text, double lo, double hi) {
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0' || v < lo || v > hi)
        usageError(option + " needs a number from " + std::to_string(lo) + " to " + std::to_string(hi));
    return v;
}

}  // namespace

Options parseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        if (a == "--quiet") {
            o.quiet = true;
            continue;
        }
        if (i + 1 >= argc) usageError("unknown option or missing value: " + a);
        const char* v = argv[++i];
        if (a == "--port")
            o.port = static_cast<int>(number(a, v, 1, 16));
        else if (a == "--device")
            o.device = v;
        else if (a == "--byte-ms")
            o.byteMs = number(a, v, 0, 1000);
        else if (a == "--reply-delay")
            o.replyDelayMs = number(a, v, 0, 10000);
        else if (a == "--drop")
            o.drop = number(a, v, 0, 1);
        else if (a == "--corrupt")
            o.corrupt = number(a, v, 0, 1);
        else if (a == "--split")
            o.split = number(a, v, 0, 1);
        else if (a == "--split-pause")
            o.splitPauseMs = number(a, v, 0, 60000);
        else if (a == "--garbage")
            o.garbage = number(a, v, 0, 1);
        else if (a == "--silent-after")
            o.silentAfter = number(a, v, 0, 1e9);
        else if (a == "--silent-for")
            o.silentFor = number(a, v, 0, 1e9);
        else if (a == "--overrun")
            o.overrun = number(a, v, 0, 1);
        else if (a == "--stray")
            o.stray = number(a, v, 0, 1);
        else if (a == "--unexpected")
            o.unexpected = number(a, v, 0, 1);
        else if (a == "--wrong-line") {
            const std::string w = v;
            if (w != "nothing" && w != "garbage") usageError("--wrong-line takes nothing or garbage");
            o.garbageOnWrongLine = w == "garbage";
        } else if (a == "--close-after")
            o.closeAfter = number(a, v, 0, 1e9);
        else if (a == "--echo-diff")
            o.echoDiff = static_cast<int>(number(a, v, 0, 199));
        else if (a == "--seed")
            o.seed = static_cast<unsigned>(number(a, v, 0, 4294967295.0));
        else if (a == "--trace")
            o.trace = v;
        else
            usageError("unknown option: " + a);
    }
    return o;
}

}  // namespace bxl::sim
