// The command line of bxl-cli, parsed into options without touching any
// file or port: the commands, their options and the durations they take.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bxl::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitDifferent = 1;  // diff found differences
inline constexpr int kExitUsage = 2;      // usage, or a file that cannot be read, written or is wrong
inline constexpr int kExitLink = 3;       // port, no answer, wrong echo
inline constexpr int kExitInterrupted = 130;

enum class Command { None, Get, Export, Send, Watch, Record, Diff, Log2Csv };

struct Options {
    Command command = Command::None;
    bool help = false;
    // The link.
    int port = 1;
    std::string device;
    double timeoutSeconds = 10;
    // The command's own.
    std::vector<std::string> files;  // send FILE, diff A B, log2csv FILE
    std::string output;              // -o FILE
    bool yes = false;                // send --yes
    long count = 0;                  // watch --count K; 0 runs until stopped
    int interval = 10;               // record --interval S
    long durationSeconds = 0;        // record --duration D
};

struct Parsed {
    Options options;
    std::string error;  // empty when the command line is sound
};

Parsed parseArguments(const std::vector<std::string>& args);

// "90s", "20m", "8h", "1h30m" or plain seconds ("45"): whole seconds, at
// least 1 and at most 31 days; nothing for anything else.
std::optional<long> parseDuration(std::string_view text);

// "1:05:00", "4:10", "0:07": a duration as shown in progress lines.
std::string durationText(long seconds);

const char* commandName(Command c);
// The program's help, or a command's when c is not None.
std::string helpText(Command c);

}  // namespace bxl::cli
