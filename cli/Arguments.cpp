#include "cli/Arguments.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace bxl::cli {

namespace {

constexpr long kMaxDurationSeconds = 31L * 24 * 3600;

struct CommandInfo {
    Command command;
    const char* name;
    const char* usage;
    const char* summary;
    const char* help;
};

constexpr const char* kLinkOptions =
    "\nLink options (before or after the command):\n"
    "  --port N          port number 1..16, resolved as the Control Center does:\n"
    "                    the alias ${XDG_DATA_HOME:-~/.local/share}/brisaval-xl/ports/comN,\n"
    "                    then the N-th serial port listed (default 1)\n"
    "  --device PATH     a tty to open instead, for example /dev/ttyUSB0\n"
    "  --timeout SECONDS how long to wait for an answer from the unit (default 10)\n";

constexpr CommandInfo kCommands[] = {
    {Command::Get, "get", "get -o FILE", "read the controls block, write it as a controls file (804 bytes)",
     "Reads the unit's controls block (its 200 settings) and writes it as a\n"
     "controls file of 804 bytes, the file the Control Center's Save writes.\n"
     "\n  -o, --output FILE  the controls file to write (replaced whole or not at all)\n"},
    {Command::Export, "export", "export -o FILE",
     "read controls and one process block, write the EXCEL file's CSV",
     "Reads the unit's controls and one block of live values and writes every\n"
     "menu line as CSV, byte for byte the file of the Control Center's EXCEL\n"
     "button (Windows-1252, CR LF).\n"
     "\n  -o, --output FILE  the CSV file to write\n"},
    {Command::Send, "send", "send FILE [--yes]", "write a controls file to the unit and check the echo",
     "Writes a controls file to the unit. The file is checked first (length,\n"
     "checksum, every value within -32768..32767); a file that fails is refused\n"
     "before the port is opened. Then the unit's controls are read and the menu\n"
     "lines that will change are printed as CSV (menu line, name, the unit's\n"
     "value, the new value). The write happens only with --yes, or after an\n"
     "answer of \"y\" on a terminal; otherwise nothing is written (exit status 2).\n"
     "After the write the unit's echo is checked: \"written and confirmed\", or\n"
     "the first line the unit did not take (exit status 3). Read-only lines\n"
     "(the failure history M20.01..M20.06) keep the unit's own values.\n"
     "\n  -y, --yes          write without asking\n"},
    {Command::Watch, "watch", "watch [--count K]", "print live values, one CSV row per process reply",
     "Prints the fifteen quantities of the log window as CSV: a header row,\n"
     "then one row per process reply of the unit (local time and values in the\n"
     "units of the log legend, UTF-8, CR LF). Ctrl+C ends it.\n"
     "\n  --count K          stop after K rows\n"},
    {Command::Record, "record", "record [--interval S] --duration D -o FILE",
     "record the fifteen log series every S seconds (2..60) for D\n"
     "(90s, 20m, 8h) into a log file",
     "Records the fifteen log series every S seconds for D into a log file that\n"
     "the log window's Load Log reads. Every sample is written to the disk as it\n"
     "is taken, so a run that is interrupted or killed leaves a valid file.\n"
     "Progress is shown on a terminal only. Ctrl+C ends the recording early.\n"
     "If the unit stops answering, samples repeat its last values, as in the\n"
     "log window; a line on standard error says so, and the recording ends\n"
     "with exit status 3 naming how many samples were taken so (the file\n"
     "holds them all).\n"
     "\n  --interval S       seconds between samples, 2..60 (default 10)\n"
     "  --duration D       how long: 90s, 20m, 8h, 1h30m or plain seconds\n"
     "  -o, --output FILE  the log file to write\n"},
    {Command::Diff, "diff", "diff A B", "compare two controls files, or `unit` for the unit's controls",
     "Compares two controls files; either may be the word \"unit\" for the unit's\n"
     "current controls. Prints one CSV line per differing menu line in menu\n"
     "order: \"M02-01\",\"Supply air 1\",\"5000 m3/h\",\"5100 m3/h\" (A's value, then B's;\n"
     "UTF-8, CR LF). Exit status 0 when they agree, 1 when they differ.\n"},
    {Command::Log2Csv, "log2csv", "log2csv FILE.LOG [-o FILE]",
     "convert a log file to the recording CSV of the log window",
     "Converts a log file to CSV: UTF-8, CR LF, a header row \"time\" and the\n"
     "fifteen legend captions, then one row per sample with the local time as\n"
     "YYYY-MM-DD HH:MM:SS and each value with the decimals of its series; an\n"
     "empty cell where the file has no value for a series.\n"
     "\n  -o, --output FILE  the CSV file to write (default: standard output)\n"},
};

const CommandInfo* infoOf(Command c) {
    for (const CommandInfo& info : kCommands)
        if (info.command == c) return &info;
    return nullptr;
}

bool isLinkCommand(Command c) {
    return c == Command::Get || c == Command::Export || c == Command::Send || c == Command::Watch ||
           c == Command::Record || c == Command::Diff;
}

template <typename T>
bool parseNumber(std::string_view text, T& out) {
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, out);
    return !text.empty() && r.ec == std::errc() && r.ptr == end;
}

bool parseSeconds(std::string_view text, double& out) {
    // std::from_chars for double is not in every standard library yet.
    if (text.empty() || text.size() > 20) return false;
    const std::string s(text);
    char* end = nullptr;
    out = std::strtod(s.c_str(), &end);
    return end == s.c_str() + s.size() && std::isfinite(out);
}

}  // namespace

const char* commandName(Command c) {
    const CommandInfo* info = infoOf(c);
    return info ? info->name : "";
}

std::optional<long> parseDuration(std::string_view text) {
    if (text.empty()) return std::nullopt;
    long total = 0;
    bool seenUnit = false;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t j = i;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j;
        if (j == i || j - i > 7) return std::nullopt;
        long number = 0;
        if (!parseNumber(text.substr(i, j - i), number)) return std::nullopt;
        long unit = 1;
        if (j < text.size()) {
            switch (text[j]) {
                case 'h':
                    unit = 3600;
                    break;
                case 'm':
                    unit = 60;
                    break;
                case 's':
                    unit = 1;
                    break;
                default:
                    return std::nullopt;
            }
            ++j;
            seenUnit = true;
        } else if (seenUnit) {
            return std::nullopt;  // "1h30" is not clear: minutes or seconds?
        }
        total += number * unit;
        if (total > kMaxDurationSeconds) return std::nullopt;
        i = j;
    }
    if (total < 1) return std::nullopt;
    return total;
}

std::string durationText(long seconds) {
    char text[32];
    if (seconds < 0) seconds = 0;
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", seconds / 60, seconds % 60);
    return text;
}

Parsed parseArguments(const std::vector<std::string>& args) {
    Parsed p;
    Options& o = p.options;
    bool portGiven = false;
    bool intervalGiven = false;
    bool countGiven = false;
    bool durationGiven = false;
    auto fail = [&](std::string message) {
        if (p.error.empty()) p.error = std::move(message);
    };

    for (std::size_t i = 0; i < args.size() && p.error.empty(); ++i) {
        std::string arg = args[i];
        std::optional<std::string> attached;
        if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            const auto eq = arg.find('=');
            if (eq != std::string::npos) {
                attached = arg.substr(eq + 1);
                arg.resize(eq);
            }
        }
        // The value of an option: attached with "=", or the next argument.
        auto value = [&](const char* what) -> std::optional<std::string> {
            if (attached) return attached;
            if (i + 1 < args.size()) return args[++i];
            fail(arg + " needs " + what);
            return std::nullopt;
        };

        if (arg == "-h" || arg == "--help") {
            o.help = true;
        } else if (arg == "--port") {
            const auto v = value("a port number");
            if (!v) break;
            if (!parseNumber(*v, o.port) || o.port < 1 || o.port > 16)
                fail("--port takes a number from 1 to 16, not \"" + *v + "\"");
            portGiven = true;
        } else if (arg == "--device") {
            const auto v = value("a device path");
            if (!v) break;
            if (v->empty()) fail("--device needs a device path");
            o.device = *v;
        } else if (arg == "--timeout") {
            const auto v = value("a number of seconds");
            if (!v) break;
            if (!parseSeconds(*v, o.timeoutSeconds) || o.timeoutSeconds <= 0 || o.timeoutSeconds > 3600)
                fail("--timeout takes seconds from 0 to 3600, not \"" + *v + "\"");
        } else if (arg == "-o" || arg == "--output") {
            const auto v = value("a file name");
            if (!v) break;
            if (v->empty()) fail(arg + " needs a file name");
            o.output = *v;
        } else if (arg == "-y" || arg == "--yes") {
            o.yes = true;
        } else if (arg == "--count") {
            const auto v = value("a number of rows");
            if (!v) break;
            if (!parseNumber(*v, o.count) || o.count < 1)
                fail("--count takes a number of rows of 1 or more, not \"" + *v + "\"");
            countGiven = true;
        } else if (arg == "--interval") {
            const auto v = value("a number of seconds");
            if (!v) break;
            if (!parseNumber(*v, o.interval) || o.interval < 2 || o.interval > 60)
                fail("--interval takes whole seconds from 2 to 60, not \"" + *v + "\"");
            intervalGiven = true;
        } else if (arg == "--duration") {
            const auto v = value("a duration");
            if (!v) break;
            const auto d = parseDuration(*v);
            if (!d)
                fail("--duration takes a duration such as 90s, 20m, 8h or 1h30m (at most 31 days), not \"" +
                     *v + "\"");
            else
                o.durationSeconds = *d;
            durationGiven = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            fail("unknown option " + arg);
        } else if (o.command == Command::None) {
            for (const CommandInfo& info : kCommands)
                if (arg == info.name) o.command = info.command;
            if (o.command == Command::None) fail("unknown command \"" + arg + "\"");
        } else {
            o.files.push_back(arg);
        }
    }
    if (!p.error.empty() || o.help) return p;

    if (o.command == Command::None) {
        fail("no command given");
        return p;
    }
    if (portGiven && !o.device.empty()) fail("give --port or --device, not both");

    const std::string name = commandName(o.command);
    auto refuse = [&](bool given, const char* option) {
        if (given) fail(name + " takes no " + option);
    };
    auto files = [&](std::size_t n, const char* what) {
        if (o.files.size() < n) fail(name + " needs " + what);
        if (o.files.size() > n) fail(name + " takes " + what + ", not also \"" + o.files[n] + "\"");
    };
    refuse(o.yes && o.command != Command::Send, "--yes");
    refuse(countGiven && o.command != Command::Watch, "--count");
    refuse((intervalGiven || durationGiven) && o.command != Command::Record,
           intervalGiven ? "--interval" : "--duration");
    switch (o.command) {
        case Command::Get:
        case Command::Export:
            files(0, "no file name but -o FILE");
            if (o.output.empty()) fail(name + " needs -o FILE");
            break;
        case Command::Send:
            files(1, "one controls file");
            refuse(!o.output.empty(), "-o");
            break;
        case Command::Watch:
            files(0, "no file name");
            refuse(!o.output.empty(), "-o");
            break;
        case Command::Record:
            files(0, "no file name but -o FILE");
            if (!durationGiven) fail("record needs --duration D");
            if (o.output.empty()) fail("record needs -o FILE");
            break;
        case Command::Diff:
            files(2, "two controls files (or \"unit\")");
            refuse(!o.output.empty(), "-o");
            break;
        case Command::Log2Csv:
            files(1, "one log file");
            break;
        case Command::None:
            break;
    }
    return p;
}

std::string helpText(Command c) {
    const CommandInfo* info = infoOf(c);
    if (info) {
        std::string text = std::string("Usage: bxl-cli [--port N | --device PATH] [--timeout SECONDS] ") +
                           info->usage + "\n\n" + info->help;
        if (isLinkCommand(c)) text += kLinkOptions;
        return text;
    }
    std::string text =
        "Usage: bxl-cli [--port N | --device PATH] [--timeout SECONDS] COMMAND ...\n"
        "\n"
        "The Brisaval XL Control Center's link and files from a shell.\n"
        "\nCommands:\n";
    for (const CommandInfo& command : kCommands) {
        text += std::string("  ") + command.usage + "\n";
        // The summary, indented under its command.
        std::string summary = command.summary;
        for (std::size_t at = 0; at != std::string::npos; at = summary.find('\n', at + 1))
            summary.insert(at == 0 ? 0 : at + 1, "      ");
        text += summary + "\n";
    }
    text += kLinkOptions;
    text +=
        "\nExit status: 0 success (diff: no difference), 1 diff found differences,\n"
        "2 usage error or a file that cannot be read, written or is not in the\n"
        "right format (nothing sent), 3 the link failed (port, no answer, wrong\n"
        "echo). \"bxl-cli COMMAND --help\" describes a command; see also bxl-cli(1).\n";
    return text;
}

}  // namespace bxl::cli
