#include "model/log/LogFile.h"

#include <algorithm>
#include <cstdint>

#include "model/FileIo.h"
#include "model/LittleEndian.h"

namespace bxl {

namespace {

// The two counts of a header that starts with the magic.
struct HeaderCounts {
    int32_t records;
    int32_t series;
};

HeaderCounts headerCounts(const uint8_t* header) {
    return {readLittleEndian<int32_t>(header + kLogCountOffset), readLittleEndian<int32_t>(header + 8)};
}

}  // namespace

std::array<uint8_t, kLogHeaderSize> encodeLogHeader(uint32_t recordCount) {
    std::vector<uint8_t> out;
    appendLittleEndian(out, kLogFileMagic);
    appendLittleEndian(out, recordCount);
    appendLittleEndian(out, static_cast<uint32_t>(kLogSeriesCount));
    std::array<uint8_t, kLogHeaderSize> header{};
    std::copy(out.begin(), out.end(), header.begin());
    return header;
}

std::array<uint8_t, kLogRecordSize> encodeLogRecord(double time,
                                                    const std::array<double, kLogSeriesCount>& values) {
    std::vector<uint8_t> out;
    out.reserve(kLogRecordSize);
    appendLittleEndian(out, time);
    for (const double v : values) appendLittleEndian(out, v);
    std::array<uint8_t, kLogRecordSize> record{};
    std::copy(out.begin(), out.end(), record.begin());
    return record;
}

std::vector<uint8_t> encodeLogFile(const LogStore& log) {
    const std::size_t n = log.count(0);
    std::vector<uint8_t> out;
    out.reserve(kLogHeaderSize + n * kLogRecordSize);
    const auto header = encodeLogHeader(static_cast<uint32_t>(n));
    out.insert(out.end(), header.begin(), header.end());
    std::array<double, kLogSeriesCount> values{};
    for (std::size_t i = 0; i < n; ++i) {
        for (int s = 0; s < kLogSeriesCount; ++s) {
            // All series share the length of series 1 except after loading a
            // file with fewer series; a missing point is written as 0.
            values[static_cast<std::size_t>(s)] = i < log.count(s) ? log.value(s, i) : 0.0;
        }
        const auto record = encodeLogRecord(log.time(0, i), values);
        out.insert(out.end(), record.begin(), record.end());
    }
    return out;
}

LogDecodeStatus decodeLogFile(std::span<const uint8_t> bytes, LogFileContents& out) {
    out = {};
    if (bytes.size() < kLogHeaderSize || readLittleEndian<uint32_t>(bytes.data()) != kLogFileMagic)
        return LogDecodeStatus::BadFormat;
    const auto [n, s] = headerCounts(bytes.data());
    if (n < 0 || s < 0) return LogDecodeStatus::BadFormat;

    out.series = std::min<int32_t>(s, kLogSeriesCount);
    const std::size_t recordSize = 8 * (1 + static_cast<std::size_t>(s));
    const std::size_t whole = (bytes.size() - kLogHeaderSize) / recordSize;
    const std::size_t count = std::min<std::size_t>(whole, static_cast<std::size_t>(n));
    const auto kept = static_cast<std::size_t>(out.series);
    out.times.resize(count);
    out.values.resize(count * kept);
    const uint8_t* p = bytes.data() + kLogHeaderSize;
    for (std::size_t i = 0; i < count; ++i, p += recordSize) {
        out.times[i] = readLittleEndian<double>(p);
        for (std::size_t k = 0; k < kept; ++k)
            out.values[i * kept + k] = readLittleEndian<double>(p + 8 * (1 + k));
    }
    return LogDecodeStatus::Ok;
}

uint64_t announcedRecordBytes(std::span<const uint8_t> header) {
    if (header.size() < kLogHeaderSize || readLittleEndian<uint32_t>(header.data()) != kLogFileMagic)
        return 0;
    const auto [n, s] = headerCounts(header.data());
    if (n < 0 || s < 0) return 0;
    return static_cast<uint64_t>(n) * 8u * (1u + static_cast<uint64_t>(s));
}

void addLogFileContents(const LogFileContents& contents, LogStore& log) {
    log.clear();
    const auto kept = static_cast<std::size_t>(contents.series);
    for (std::size_t i = 0; i < contents.recordCount(); ++i) {
        for (std::size_t k = 0; k < kept; ++k)
            log.add(static_cast<int>(k), contents.times[i], contents.values[i * kept + k]);
    }
}

bool readFileBytes(const std::string& path, std::vector<uint8_t>& out) {
    out.clear();
    FileReader file(path);
    return file.readUpTo(out, UINT64_MAX);
}

bool readLogFileBytes(const std::string& path, std::vector<uint8_t>& out) {
    out.clear();
    FileReader file(path);
    if (!file.readUpTo(out, kLogHeaderSize)) return false;
    return file.readUpTo(out, announcedRecordBytes(out));
}

bool writeFileBytes(const std::string& path, std::span<const uint8_t> bytes) {
    return writeFileSafely(path, bytes);
}

}  // namespace bxl
