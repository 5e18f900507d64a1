// bxl-unit-sim: a simulated Brisaval XL controller on a serial line. It
// answers the tool's frames with the pacing of a 9600-baud line, from a
// unit model that runs in real time, and can inject faults on request.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "link/Frames.h"
#include "link/PortResolver.h"
#include "sim/UnitModel.h"

namespace {

using Clock = std::chrono::steady_clock;
using bxl::Frame;

volatile std::sig_atomic_t gStop = 0;
void onSignal(int) {
    gStop = 1;
}

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
    "  --close-after S     close the line S seconds after start and exit\n"
    "  --echo-diff I       echo controls value I (0..199) off by one\n"
    "  --seed N            seed of the fault and noise generator (default 1)\n"
    "  --trace FILE        write every frame in and out with a timestamp\n"
    "  --quiet             print only the summary line\n"
    "  --help              show this text\n";

struct Options {
    int port = 1;
    std::string device;
    double byteMs = 1000.0 / 960.0;
    double replyDelayMs = 5;
    double drop = 0, corrupt = 0, split = 0, garbage = 0;
    double splitPauseMs = 300;
    double silentAfter = -1, closeAfter = -1;
    int echoDiff = -1;
    unsigned seed = 1;
    std::string trace;
    bool quiet = false;
};

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

Options parse(int argc, char** argv) {
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
        else if (a == "--close-after")
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

bxl::sim::LocalTime localNow() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    bxl::sim::LocalTime lt;
    lt.minuteOfDay = tm.tm_hour * 60 + tm.tm_min;
    lt.weekday = (tm.tm_wday + 6) % 7;
    // Days since 1 January 2012, from the civil date.
    std::tm base{};
    base.tm_year = 112;
    base.tm_mon = 0;
    base.tm_mday = 1;
    base.tm_hour = 12;
    std::tm today{};
    today.tm_year = tm.tm_year;
    today.tm_mon = tm.tm_mon;
    today.tm_mday = tm.tm_mday;
    today.tm_hour = 12;
    lt.daysSince2012 = static_cast<int>(std::lround(std::difftime(timegm(&today), timegm(&base)) / 86400));
    return lt;
}

// The names the system gives pseudo-terminals, as the simulator links them:
// /dev/pts/N, or /dev/ttysN on systems that name them so.
bool isPseudoTerminalPath(const std::string& path) {
    static constexpr const char* kPrefixes[] = {"/dev/pts/", "/dev/ttys"};
    for (const char* prefix : kPrefixes) {
        const std::size_t n = std::strlen(prefix);
        if (path.size() > n && path.compare(0, n, prefix) == 0 &&
            path.find_first_not_of("0123456789", n) == std::string::npos)
            return true;
    }
    return false;
}

void makeRaw(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) return;
    cfmakeraw(&t);
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    t.c_cflag |= CLOCAL | CREAD;
    tcsetattr(fd, TCSANOW, &t);
}

struct Stats {
    long process = 0, controls = 0, writes = 0, writes2 = 0, bad = 0, unknown = 0;
    long dropped = 0, corrupted = 0, split = 0, garbage = 0;
};

class Tracer {
public:
    Tracer(const std::string& path, Clock::time_point start) : start_(start) {
        if (!path.empty()) {
            file_ = std::fopen(path.c_str(), "w");
            if (!file_) {
                std::fprintf(stderr, "bxl-unit-sim: cannot write trace %s: %s\n", path.c_str(),
                             std::strerror(errno));
                std::exit(1);
            }
        }
    }
    ~Tracer() {
        if (file_) std::fclose(file_);
    }
    Tracer(const Tracer&) = delete;
    Tracer& operator=(const Tracer&) = delete;

    // "<seconds> <in|out|drop|bad> <length> <hex bytes>[ <note>]"
    void frame(const char* direction, const Frame& f, const char* note = nullptr) {
        if (!file_) return;
        const double s = std::chrono::duration<double>(Clock::now() - start_).count();
        std::fprintf(file_, "%.6f %s %zu", s, direction, f.size());
        for (uint8_t b : f) std::fprintf(file_, " %02X", b);
        if (note) std::fprintf(file_, " %s", note);
        std::fputc('\n', file_);
        std::fflush(file_);
    }

private:
    FILE* file_ = nullptr;
    Clock::time_point start_;
};

// Bytes waiting to go out, each with the time it is due.
struct Outgoing {
    uint8_t byte;
    Clock::time_point due;
};

// Expected length of a frame starting with this command, 0 when unknown.
std::size_t expectedLength(uint8_t command) {
    switch (command) {
        case bxl::kCmdReadProcess:
        case bxl::kCmdReadControls:
            return bxl::kRequestLength;
        case bxl::kCmdWriteControls:
        case bxl::kCmdSecondWrite:
            return bxl::kBlockLength;
        default:
            return 0;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const Options opt = parse(argc, argv);
    const auto start = Clock::now();

    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    int fd = -1;
    int keepSlave = -1;  // held open so the line stays up between the tool's opens
    std::string alias;
    std::string served;
    if (!opt.device.empty()) {
        fd = ::open(opt.device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd < 0) {
            std::fprintf(stderr, "bxl-unit-sim: cannot open %s: %s\n", opt.device.c_str(),
                         std::strerror(errno));
            return 1;
        }
        makeRaw(fd);
        served = opt.device;
    } else {
        fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd < 0 || grantpt(fd) != 0 || unlockpt(fd) != 0) {
            std::fprintf(stderr, "bxl-unit-sim: cannot create a pseudo-terminal: %s\n", std::strerror(errno));
            return 1;
        }
        served = ptsname(fd);
        keepSlave = ::open(served.c_str(), O_RDWR | O_NOCTTY);
        if (keepSlave >= 0) makeRaw(keepSlave);

        const std::string dir = bxl::portAliasDir();
        if (dir.empty()) {
            std::fprintf(stderr, "bxl-unit-sim: neither XDG_DATA_HOME nor HOME is set; use --device\n");
            return 1;
        }
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        alias = bxl::portAliasPath(dir, opt.port);
        if (bxl::pathOrLinkExists(alias)) {
            // Only a leftover of an earlier run is replaced: a link to a
            // pseudo-terminal that is gone. Anything else, above all an
            // engineer's own alias of an adapter that is unplugged just now,
            // is left as it is.
            if (std::filesystem::exists(alias, ec) || !std::filesystem::is_symlink(alias, ec)) {
                std::fprintf(stderr, "bxl-unit-sim: %s already exists; choose another --port or remove it\n",
                             alias.c_str());
                return 1;
            }
            const std::string target = std::filesystem::read_symlink(alias, ec).string();
            if (ec || !isPseudoTerminalPath(target)) {
                std::fprintf(stderr,
                             "bxl-unit-sim: %s is a link to %s, which the simulator did not make; it is left "
                             "as it is. Choose another --port, or remove the link if it is no longer "
                             "needed\n",
                             alias.c_str(), target.c_str());
                return 1;
            }
            std::filesystem::remove(alias, ec);
        }
        std::filesystem::create_symlink(served, alias, ec);
        if (ec) {
            std::fprintf(stderr, "bxl-unit-sim: cannot create %s: %s\n", alias.c_str(), ec.message().c_str());
            return 1;
        }
    }
    if (!opt.quiet) {
        if (alias.empty())
            std::printf("bxl-unit-sim: serving %s\n", served.c_str());
        else
            std::printf("bxl-unit-sim: serving port %d on %s via %s\n", opt.port, served.c_str(),
                        alias.c_str());
        std::fflush(stdout);
    }

    Tracer trace(opt.trace, start);
    bxl::sim::UnitModel unit(opt.seed);
    unit.setEchoDifference(opt.echoDiff);
    unit.advance(0, localNow());
    std::mt19937 rng(opt.seed * 7919u + 17u);
    std::uniform_real_distribution<double> share(0.0, 1.0);
    const auto chance = [&](double p) { return p > 0 && share(rng) < p; };

    Stats stats;
    Frame incoming;
    Clock::time_point lastIn = start;
    std::deque<Outgoing> out;
    const auto byteTime =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::milli>(opt.byteMs));
    Clock::time_point lastStep = start;
    const auto seconds = [&](Clock::time_point t) {
        return std::chrono::duration<double>(t - start).count();
    };

    const auto queueReply = [&](Frame reply) {
        const auto now = Clock::now();
        if (opt.silentAfter >= 0 && seconds(now) >= opt.silentAfter) {
            trace.frame("drop", reply, "silent");
            ++stats.dropped;
            return;
        }
        if (chance(opt.drop)) {
            trace.frame("drop", reply, "dropped");
            ++stats.dropped;
            return;
        }
        const char* note = nullptr;
        if (chance(opt.garbage)) {
            std::uniform_int_distribution<int> len(2, 64), byte(0, 255);
            reply.assign(static_cast<std::size_t>(len(rng)), 0);
            for (auto& b : reply) b = static_cast<uint8_t>(byte(rng));
            note = "garbage";
            ++stats.garbage;
        } else if (chance(opt.corrupt)) {
            reply.back() = static_cast<uint8_t>(reply.back() ^ 0x55);
            note = "corrupt";
            ++stats.corrupted;
        }
        std::size_t splitAt = reply.size();
        if (reply.size() > 2 && chance(opt.split)) {
            splitAt = reply.size() / 2;
            note = note ? note : "split";
            ++stats.split;
        }
        Clock::time_point due =
            std::max(now + std::chrono::duration_cast<Clock::duration>(
                               std::chrono::duration<double, std::milli>(opt.replyDelayMs)),
                     out.empty() ? now : out.back().due + byteTime);
        for (std::size_t i = 0; i < reply.size(); ++i) {
            if (i == splitAt)
                due += std::chrono::duration_cast<Clock::duration>(
                    std::chrono::duration<double, std::milli>(opt.splitPauseMs));
            out.push_back({reply[i], due});
            due += byteTime;
        }
        trace.frame("out", reply, note);
    };

    const auto handleFrame = [&](const Frame& f) {
        if (!bxl::checksumValid(f.data(), f.size())) {
            trace.frame("bad", f, "checksum");
            ++stats.bad;
            return;
        }
        trace.frame("in", f);
        auto reply = unit.handle(f);
        if (!reply) {
            ++stats.unknown;
            return;
        }
        switch (f[0]) {
            case bxl::kCmdReadProcess:
                ++stats.process;
                break;
            case bxl::kCmdReadControls:
                ++stats.controls;
                break;
            case bxl::kCmdWriteControls:
                ++stats.writes;
                break;
            default:
                ++stats.writes2;
                break;
        }
        queueReply(std::move(*reply));
    };

    bool closed = false;
    while (!gStop) {
        auto now = Clock::now();
        if (opt.closeAfter >= 0 && seconds(now) >= opt.closeAfter) {
            closed = true;
            break;
        }
        // The unit model runs in steps of at most a tenth of a second.
        if (now - lastStep >= std::chrono::milliseconds(100)) {
            unit.advance(std::chrono::duration<double>(now - lastStep).count(), localNow());
            lastStep = now;
        }
        // Send every byte that is due; a full line is waited for with POLLOUT.
        bool lineFull = false;
        while (!out.empty() && out.front().due <= now) {
            const uint8_t b = out.front().byte;
            if (::write(fd, &b, 1) != 1) {
                lineFull = true;
                break;
            }
            out.pop_front();
        }
        int timeoutMs = 100;
        if (!out.empty() && !lineFull) {
            const auto wait =
                std::chrono::duration_cast<std::chrono::microseconds>(out.front().due - Clock::now()).count();
            timeoutMs = static_cast<int>(std::clamp<long long>((wait + 999) / 1000, 0, 100));
        }
        pollfd pfd{fd, static_cast<short>(POLLIN | (lineFull ? POLLOUT : 0)), 0};
        const int r = ::poll(&pfd, 1, timeoutMs);
        if (r < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (r > 0 && (pfd.revents & POLLIN)) {
            uint8_t buf[512];
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n > 0) {
                now = Clock::now();
                // A pause in the middle of a frame abandons what came before.
                if (!incoming.empty() && now - lastIn > std::chrono::milliseconds(200)) {
                    trace.frame("bad", incoming, "incomplete");
                    ++stats.bad;
                    incoming.clear();
                }
                lastIn = now;
                for (ssize_t i = 0; i < n; ++i) {
                    if (incoming.empty() && expectedLength(buf[i]) == 0) {
                        trace.frame("bad", Frame{buf[i]}, "stray");
                        ++stats.bad;
                        continue;
                    }
                    incoming.push_back(buf[i]);
                    if (incoming.size() == expectedLength(incoming[0])) {
                        handleFrame(incoming);
                        incoming.clear();
                    }
                }
            }
        } else if (r > 0 && (pfd.revents & (POLLHUP | POLLERR)) && keepSlave < 0) {
            break;  // a served device went away
        }
    }

    if (keepSlave >= 0) ::close(keepSlave);
    ::close(fd);
    if (!alias.empty()) {
        std::error_code ec;
        if (std::filesystem::is_symlink(alias, ec) && std::filesystem::read_symlink(alias, ec) == served)
            std::filesystem::remove(alias, ec);
    }
    std::printf(
        "bxl-unit-sim: served %ld frames in %.1f s (process %ld, controls %ld, writes %ld, second writes "
        "%ld); "
        "ignored %ld bad, %ld unknown; faults: %ld dropped, %ld corrupted, %ld split, %ld garbage%s\n",
        stats.process + stats.controls + stats.writes + stats.writes2, seconds(Clock::now()), stats.process,
        stats.controls, stats.writes, stats.writes2, stats.bad, stats.unknown, stats.dropped, stats.corrupted,
        stats.split, stats.garbage, closed ? "; line closed" : "");
    std::fflush(stdout);
    return 0;
}
