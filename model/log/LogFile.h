// The log file: a 12-byte header (magic 0xEFFE7007, record count N, series
// count S, little-endian 32-bit) and N records of one date-time number and S
// values, all little-endian doubles. Encoding and decoding are pure functions
// over bytes; reading and writing the file are kept apart from them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/log/LogStore.h"

namespace bxl {

inline constexpr uint32_t kLogFileMagic = 0xEFFE7007u;
inline constexpr std::size_t kLogHeaderSize = 12;
// Where the record count N sits in the header.
inline constexpr std::size_t kLogCountOffset = 4;
// A record of this program's files: the time and fifteen values.
inline constexpr std::size_t kLogRecordSize = 8 * (1 + kLogSeriesCount);

// The header of a file of recordCount records of fifteen values.
std::array<uint8_t, kLogHeaderSize> encodeLogHeader(uint32_t recordCount);
// One record: the time, then the values of series 1..15.
std::array<uint8_t, kLogRecordSize> encodeLogRecord(double time,
                                                    const std::array<double, kLogSeriesCount>& values);

// Every point of the log: N = the points of series 1, S = 15, each record the
// time of point i of series 1 and the values of point i of series 1..15.
std::vector<uint8_t> encodeLogFile(const LogStore& log);

struct LogFileContents {
    int series = 0;              // values kept per record: S, at most 15
    std::vector<double> times;   // time of record i
    std::vector<double> values;  // value k of record i at i * series + k
    std::size_t recordCount() const { return times.size(); }
};

enum class LogDecodeStatus {
    Ok,         // every whole record the bytes carry, up to N
    BadFormat,  // no magic, header cut short, or negative N or S
};

// Reads a log file's bytes. A file ending early gives the whole records read
// so far; values beyond the fifteenth of a record are skipped. Storage is
// never larger than the bytes present, whatever the header announces.
LogDecodeStatus decodeLogFile(std::span<const uint8_t> bytes, LogFileContents& out);

// The bytes of the records a log file's header announces (N records of the
// time and S values); 0 when the bytes do not start with a whole header with
// the magic and counts of at least 0.
uint64_t announcedRecordBytes(std::span<const uint8_t> header);

// Replaces the log's points with those of a decoded file, record by record,
// with the store's ordering rule.
void addLogFileContents(const LogFileContents& contents, LogStore& log);

// File reading and writing, through the one file module (model/FileIo.h):
// only regular files are read, and a file is replaced whole or left as it
// was. readFileBytes is false when the file cannot be opened or read;
// writeFileBytes when it was not written whole.
bool readFileBytes(const std::string& path, std::vector<uint8_t>& out);
// Reads what a log file's header says it holds and no more: just the first
// bytes of a file that does not start with the magic, and at most the records
// the header announces (storage grows with what is actually read).
bool readLogFileBytes(const std::string& path, std::vector<uint8_t>& out);
bool writeFileBytes(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace bxl
