#include "cli/Commands.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cli/Files.h"
#include "cli/UnitLink.h"
#include "link/Frames.h"
#include "model/Bindings.h"
#include "model/Compare.h"
#include "model/ControlsFile.h"
#include "model/Format.h"
#include "model/ParamTable.h"
#include "model/SettingsHistory.h"
#include "model/Text.h"
#include "model/log/DateTime.h"
#include "model/log/LogFile.h"
#include "model/log/LogSeries.h"
#include "model/log/LogStore.h"
#include "model/log/RecordingCsv.h"

namespace bxl::cli {

namespace {

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "bxl-cli: %s\n", message.c_str());
    return status;
}

// Text on standard output; false when it cannot take it (a closed pipe, a
// full disk).
bool out(const std::string& text) {
    if (text.empty()) return true;
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
}

int stdoutFailure() {
    return fail(kExitUsage, std::string("standard output: cannot write: ") + std::strerror(errno));
}

BindingTable builtBindings() {
    BindingTable bindings;
    bindings.build();
    return bindings;
}

// "M04.01 "Supply Air P-zone"", or "value index 170" for an index no menu
// line shows.
std::string lineOf(const BindingTable& bindings, int valueIndex) {
    const int b = bindings.findByValueIndex(valueIndex);
    if (b < 0) return "value index " + std::to_string(valueIndex) + " (no menu line)";
    const ParamRow& row = kParamTable[bindings.at(b).row];
    char code[16];
    std::snprintf(code, sizeof code, "M%02d.%02d", row.menu, row.item);
    return std::string(code) + " \"" + utf8FromCp1252(row.name) + "\"";
}

// The message and status of a wait that did not end with its work done:
// "port 1: no answer from the unit within 10 s to the read-controls request;
// nothing written", or "interrupted; nothing written".
int linkFailure(const UnitLink& link, UnitLink::Wait wait, const char* doing, const char* afterwards = "") {
    const std::string tail = *afterwards ? std::string("; ") + afterwards : std::string();
    if (wait == UnitLink::Wait::Interrupted) return fail(kExitInterrupted, "interrupted" + tail);
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%g", link.timeoutSeconds());
    return fail(kExitLink,
                link.portName() + ": no answer from the unit within " + seconds + " s " + doing + tail);
}

// A controls file, checked as the Control Center's Load checks it.
std::optional<ControlsBlock> readControlsFile(const std::string& path, int& status) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!readFile(path, kControlsFileSize, bytes, error)) {
        status = fail(kExitUsage, error);
        return std::nullopt;
    }
    if (bytes.size() < kControlsFileSize) {
        status = fail(kExitUsage, path + ": not a controls file: " + std::to_string(bytes.size()) +
                                      " bytes, a controls file has 804");
        return std::nullopt;
    }
    auto block = decodeControlsFile(bytes);
    if (!block) status = fail(kExitUsage, path + ": not a controls file: its checksum is wrong");
    return block;
}

// Opens the link, or reports why not.
std::unique_ptr<UnitLink> openLink(const Options& o, ValueStore& store, int& status) {
    auto link = std::make_unique<UnitLink>(store, o.port, o.device, o.timeoutSeconds);
    std::string error;
    if (!link->open(error)) {
        status = fail(kExitLink, error);
        return nullptr;
    }
    return link;
}

// The output file's folder and name are checked before the unit is asked.
bool outputLooksWritable(const std::string& path, int& status) {
    const std::string why = writeProblem(path);
    if (why.empty()) return true;
    status = fail(kExitUsage, path + ": cannot write: " + why);
    return false;
}

// get and export: reads the unit (the controls, and for export one block of
// live values too), then writes one file from what was read.
int readUnitIntoFile(const Options& o, bool liveValues,
                     const std::function<std::string(const ValueStore&)>& encode) {
    int status = kExitOk;
    if (!outputLooksWritable(o.output, status)) return status;
    ValueStore store;
    auto link = openLink(o, store, status);
    if (!link) return status;
    UnitLink::Wait w = link->readControls();
    if (w == UnitLink::Wait::Done && liveValues)
        w = link->runUntil([&] { return link->processReplies() > 0; });
    link->close();
    if (w != UnitLink::Wait::Done)
        return linkFailure(*link, w, liveValues ? "to the read requests" : "to the read-controls request",
                           "nothing written");
    std::string error;
    if (!writeFile(o.output, encode(store), error)) return fail(kExitUsage, error);
    return kExitOk;
}

int commandGet(const Options& o) {
    return readUnitIntoFile(o, false, [](const ValueStore& store) {
        const Bytes bytes = encodeControlsFile(store);
        return std::string(bytes.begin(), bytes.end());
    });
}

int commandExport(const Options& o) {
    return readUnitIntoFile(o, true,
                            [](const ValueStore& store) { return exportCsv(store, builtBindings()); });
}

// The unit's controls as read just before a Send's write, kept in the
// settings history the Control Center keeps too, as a "-before-send"
// controls file. Keeping it never stops the write; a failure is said once.
void keepBeforeSend(const ControlsBlock& unitControls) {
    SettingsHistory history(defaultHistoryFolder());
    if (!history.keep(unitControls, HistoryKind::BeforeSend))
        std::fprintf(stderr, "bxl-cli: the unit's controls before this write are not kept: %s\n",
                     history.problem().c_str());
}

// Reads a line from the terminal while the link keeps polling; nothing when
// the input ends or the program is interrupted.
std::optional<std::string> askTerminal(UnitLink& link, const std::string& question) {
    std::fputs(question.c_str(), stderr);
    std::fflush(stderr);
    std::string line;
    bool ended = false;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            if (n == 0 || errno != EINTR) ended = true;
            return;
        }
        line.append(buffer, static_cast<std::size_t>(n));
        if (line.find('\n') != std::string::npos) ended = true;
    });
    const auto w = link.runUntil([&] { return ended; }, 24.0 * 3600);
    if (w != UnitLink::Wait::Done || line.find('\n') == std::string::npos) {
        std::fputs("\n", stderr);
        return std::nullopt;
    }
    line.resize(line.find('\n'));
    return line;
}

int commandSend(const Options& o) {
    const std::string& path = o.files[0];
    int status = kExitOk;
    const auto file = readControlsFile(path, status);
    if (!file) return status;
    const BindingTable bindings = builtBindings();
    for (int i = 0; i < kControlsCount; ++i) {
        const int32_t v = (*file)[static_cast<std::size_t>(i)];
        if (!fitsOnWire(v))
            return fail(kExitUsage, path + ": " + lineOf(bindings, i) + " holds " + std::to_string(v) +
                                        ", outside the -32768..32767 a write frame carries; nothing sent");
    }

    ValueStore store;
    auto link = openLink(o, store, status);
    if (!link) return status;
    const UnitLink::Wait w = link->readControls();
    if (w != UnitLink::Wait::Done) {
        link->close();
        return linkFailure(*link, w, "to the read-controls request", "nothing written");
    }
    ControlsBlock unit{};
    for (int i = 0; i < kControlsCount; ++i) unit[static_cast<std::size_t>(i)] = store.current(i);

    // Read-only lines in the controls block (the failure history) are the
    // unit's own: they keep the unit's values, so the echo can confirm them.
    ControlsBlock wanted = *file;
    bool keptReadOnly = false;
    for (int b = 0; b < bindings.used(); ++b) {
        const Binding& binding = bindings.at(b);
        if (binding.valueIndex >= kControlsCount || isEditable(kParamTable[binding.row])) continue;
        const auto k = static_cast<std::size_t>(binding.valueIndex);
        keptReadOnly = keptReadOnly || wanted[k] != unit[k];
        wanted[k] = unit[k];
    }

    const auto lines = compareValues(valuesOfControls(unit), valuesOfControls(wanted), bindings);
    int unshown = 0;
    for (int i = 0; i < kControlsCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (unit[k] == wanted[k] || bindings.findByValueIndex(i) >= 0) continue;
        ++unshown;
        std::fprintf(stderr, "bxl-cli: value index %d (no menu line) changes from %d to %d\n", i, unit[k],
                     wanted[k]);
    }
    if (keptReadOnly)
        std::fprintf(stderr,
                     "bxl-cli: %s: the read-only failure history (M20.01..M20.06) keeps the unit's values\n",
                     path.c_str());
    if (!out(utf8FromCp1252(differencesCsv(lines)))) {
        link->close();
        return stdoutFailure();
    }
    if (lines.empty() && unshown == 0) {
        link->close();
        std::fprintf(stderr, "bxl-cli: nothing to send: the unit on %s already holds the values of %s\n",
                     link->portName().c_str(), path.c_str());
        return kExitOk;
    }

    if (!o.yes) {
        if (!::isatty(STDIN_FILENO)) {
            link->close();
            return fail(kExitUsage, "not confirmed: nothing written (add --yes to write " + path + ")");
        }
        const std::size_t count = lines.size() + static_cast<std::size_t>(unshown);
        const auto answer =
            askTerminal(*link, "Write these " + std::to_string(count) + " change" + (count == 1 ? "" : "s") +
                                   " to the unit on " + link->portName() + "? [y/N] ");
        if (interrupted()) {
            link->close();
            return fail(kExitInterrupted, "interrupted; nothing written");
        }
        if (!answer || (*answer != "y" && *answer != "Y" && *answer != "yes" && *answer != "Yes")) {
            link->close();
            return fail(kExitUsage, "not confirmed: nothing written");
        }
    }

    keepBeforeSend(unit);
    for (int i = 0; i < kControlsCount; ++i) store.setCurrent(i, wanted[static_cast<std::size_t>(i)]);
    const UnitLink::Echo echo = link->writeControls();
    link->close();
    switch (echo) {
        case UnitLink::Echo::Confirmed:
            return out("written and confirmed\n") ? kExitOk : stdoutFailure();
        case UnitLink::Echo::Differs: {
            const std::string where = link->portName() + ": the unit's echo differs from what was written";
            if (!link->differingEcho()) return fail(kExitLink, where);
            const ControlsBlock& echo = *link->differingEcho();
            int first = 0;
            while (first < kControlsCount - 1 &&
                   echo[static_cast<std::size_t>(first)] == wanted[static_cast<std::size_t>(first)])
                ++first;
            const auto k = static_cast<std::size_t>(first);
            const int b = bindings.findByValueIndex(first);
            auto text = [&](int32_t v) {
                return b >= 0 ? utf8FromCp1252(formatValue(bindings.at(b).row, v)) : std::to_string(v);
            };
            return fail(kExitLink, where + ", first at " + lineOf(bindings, first) + ": written " +
                                       text(wanted[k]) + ", echoed " + text(echo[k]) +
                                       "; the lines from there on are not confirmed");
        }
        case UnitLink::Echo::Interrupted:
            return fail(kExitInterrupted, "interrupted after the write; the echo was not checked");
        case UnitLink::Echo::NoEcho:
            break;
    }
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%g", link->timeoutSeconds());
    return fail(kExitLink, link->portName() + ": no echo from the unit within " + seconds +
                               " s after the write; read the unit back (bxl-cli diff unit " + path + ")");
}

std::array<double, kLogSeriesCount> logSample(const ValueStore& store) {
    std::array<double, kLogSeriesCount> values{};
    for (std::size_t s = 0; s < values.size(); ++s)
        values[s] = store.current(kLogSeries[s].valueIndex) * kLogSeries[s].scale;
    return values;
}

int commandWatch(const Options& o) {
    ValueStore store;
    int status = kExitOk;
    auto link = openLink(o, store, status);
    if (!link) return status;
    if (!out(recordingCsvHeader())) {
        link->close();
        return kExitOk;  // nobody reads any more
    }
    long rows = 0;
    bool closedOutput = false;
    QElapsedTimer sinceReply;
    sinceReply.start();
    link->onProcessReply = [&] {
        sinceReply.restart();
        if (closedOutput || (o.count > 0 && rows >= o.count)) return;
        if (!out(recordingCsvRow(localDateTimeNow(), logSample(store))))
            closedOutput = true;
        else
            ++rows;
    };
    UnitLink::Wait w = UnitLink::Wait::Done;
    for (;;) {
        w = link->runUntil(
            [&] { return closedOutput || (o.count > 0 && rows >= o.count); },
            std::max(0.0, o.timeoutSeconds - static_cast<double>(sinceReply.elapsed()) / 1000.0));
        // Waits end on their own time limit; only a reply-free timeout ends the watch.
        if (w != UnitLink::Wait::TimedOut ||
            static_cast<double>(sinceReply.elapsed()) / 1000.0 >= o.timeoutSeconds)
            break;
    }
    link->onProcessReply = nullptr;
    link->close();
    // Ctrl+C and a reader that went away end the watch normally.
    if (w == UnitLink::Wait::Interrupted || w == UnitLink::Wait::Done) return kExitOk;
    return linkFailure(*link, w, rows == 0 ? "to the read-process request" : "since the last process reply");
}

int commandRecord(const Options& o) {
    LogFileAppender file;
    std::string error;
    if (!file.create(o.output, error)) return fail(kExitUsage, error);

    ValueStore store;
    int status = kExitOk;
    auto link = openLink(o, store, status);
    if (!link) return status;
    UnitLink::Wait w = link->runUntil([&] { return link->processReplies() > 0; });
    if (w != UnitLink::Wait::Done) {
        link->close();
        if (w == UnitLink::Wait::Interrupted) {
            std::fprintf(stderr, "bxl-cli: stopped: 0 samples in %s\n", o.output.c_str());
            return kExitOk;
        }
        return linkFailure(*link, w, "to the read-process request", "the log file holds no samples");
    }

    const long total = (o.durationSeconds + o.interval - 1) / o.interval;
    const bool progress = ::isatty(STDERR_FILENO) != 0;
    bool failed = false;
    long repeated = 0;  // samples taken while the unit did not answer
    auto sample = [&] {
        if (failed || static_cast<long>(file.records()) >= total) return;
        if (!file.append(localDateTimeNow(), logSample(store), error)) {
            failed = true;
            return;
        }
        if (link->connectionLost()) ++repeated;
        if (progress) {
            const long left = (total - static_cast<long>(file.records())) * o.interval;
            std::fprintf(stderr, "\rrecording to %s: %zu of %ld samples, %s left ", o.output.c_str(),
                         file.records(), total, durationText(left).c_str());
            std::fflush(stderr);
        }
    };
    link->onConnectionChange = [&](bool lost) {
        if (progress) std::fputs("\n", stderr);
        if (lost)
            std::fprintf(stderr, "bxl-cli: %s: no answer from the unit; samples repeat its last values\n",
                         link->portName().c_str());
        else
            std::fprintf(stderr, "bxl-cli: %s: the unit answers again\n", link->portName().c_str());
    };
    QTimer interval;
    interval.setTimerType(Qt::PreciseTimer);
    interval.setInterval(o.interval * 1000);
    QObject::connect(&interval, &QTimer::timeout, sample);
    sample();
    interval.start();
    w = link->runUntil([&] { return failed || static_cast<long>(file.records()) >= total; }, 1e9);
    interval.stop();
    link->onConnectionChange = nullptr;
    link->close();
    if (progress) std::fputs("\n", stderr);
    const std::size_t records = file.records();
    file.close();
    if (failed)
        return fail(kExitUsage, o.output + ": cannot write: " + error + " (" + std::to_string(records) +
                                    " samples kept)");
    if (w == UnitLink::Wait::Interrupted)
        std::fprintf(stderr, "bxl-cli: stopped: %zu samples in %s\n", records, o.output.c_str());
    if (repeated > 0)
        return fail(kExitLink, link->portName() + ": " + std::to_string(repeated) + " of " +
                                   std::to_string(records) + " samples in " + o.output +
                                   " were taken while the unit did not answer; they repeat its last values");
    return kExitOk;
}

int commandDiff(const Options& o) {
    std::array<std::optional<ControlsBlock>, 2> sides;
    bool needUnit = false;
    for (std::size_t i = 0; i < 2; ++i) {
        if (o.files[i] == "unit") {
            needUnit = true;
            continue;
        }
        int status = kExitOk;
        sides[i] = readControlsFile(o.files[i], status);
        if (!sides[i]) return status;
    }
    if (needUnit) {
        ValueStore store;
        int status = kExitOk;
        auto link = openLink(o, store, status);
        if (!link) return status;
        const UnitLink::Wait w = link->readControls();
        link->close();
        if (w != UnitLink::Wait::Done) return linkFailure(*link, w, "to the read-controls request");
        ControlsBlock unit{};
        for (int i = 0; i < kControlsCount; ++i) unit[static_cast<std::size_t>(i)] = store.current(i);
        for (auto& side : sides)
            if (!side) side = unit;
    }
    const auto lines =
        compareValues(valuesOfControls(*sides[0]), valuesOfControls(*sides[1]), builtBindings());
    if (!out(utf8FromCp1252(differencesCsv(lines)))) return stdoutFailure();
    return lines.empty() ? kExitOk : kExitDifferent;
}

int commandLog2Csv(const Options& o) {
    const std::string& path = o.files[0];
    std::vector<uint8_t> bytes;
    if (!readLogFileBytes(path, bytes)) return fail(kExitUsage, path + ": cannot read: " + readProblem(path));
    LogFileContents contents;
    if (decodeLogFile(bytes, contents) != LogDecodeStatus::Ok)
        return fail(kExitUsage, path + ": not a log file: " +
                                    (bytes.size() < 4 || bytes[0] != 0x07 || bytes[1] != 0x70 ||
                                             bytes[2] != 0xFE || bytes[3] != 0xEF
                                         ? "it does not start with the log file mark 07 70 FE EF"
                                         : "its header is cut short or counts below zero"));
    LogStore log;
    addLogFileContents(contents, log);
    const std::string csv = recordingCsv(log);
    if (o.output.empty()) return out(csv) ? kExitOk : stdoutFailure();
    std::string error;
    if (!writeFile(o.output, csv, error)) return fail(kExitUsage, error);
    return kExitOk;
}

}  // namespace

int runCommand(const Options& o) {
    switch (o.command) {
        case Command::Get:
            return commandGet(o);
        case Command::Export:
            return commandExport(o);
        case Command::Send:
            return commandSend(o);
        case Command::Watch:
            return commandWatch(o);
        case Command::Record:
            return commandRecord(o);
        case Command::Diff:
            return commandDiff(o);
        case Command::Log2Csv:
            return commandLog2Csv(o);
        case Command::None:
            break;
    }
    return kExitUsage;
}

}  // namespace bxl::cli
