// Files for the command-line tool: read and written through the file
// module (model/FileIo.h), with the reason for a failure in words.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/log/LogSeries.h"

namespace bxl::cli {

// Why `path` cannot be read as a file: "no such file", "is a folder",
// "not a regular file", "permission denied" or the system's word.
std::string readProblem(const std::string& path);
// Why `path` cannot be written, found before anything is sent or read:
// a missing folder, a folder in the way, permission; empty when it looks
// writable (the write itself may still fail).
std::string writeProblem(const std::string& path);

// Reads at most maxBytes of a regular file; false with the reason.
bool readFile(const std::string& path, std::size_t maxBytes, std::vector<uint8_t>& out, std::string& error);
// Replaces the file whole or leaves it as it was; false with the reason.
bool writeFile(const std::string& path, const std::string& bytes, std::string& error);

// A log file written as a recording goes: the header first, then each
// record appended and flushed to the disk before the header's count takes
// it in, so the file is a valid log file at every moment, whenever the
// program is stopped.
class LogFileAppender {
public:
    LogFileAppender() = default;
    ~LogFileAppender();
    LogFileAppender(const LogFileAppender&) = delete;
    LogFileAppender& operator=(const LogFileAppender&) = delete;

    // Replaces `path` with an empty log file (no records, fifteen series)
    // and keeps it open; false with the reason.
    bool create(const std::string& path, std::string& error);
    bool append(double time, const std::array<double, kLogSeriesCount>& values, std::string& error);
    void close();
    std::size_t records() const { return records_; }

private:
    int fd_ = -1;
    std::size_t records_ = 0;
};

}  // namespace bxl::cli
