#include "model/log/LogFile.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "model/FileIo.h"

namespace bxl {

namespace {

void putU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void putF64(std::vector<uint8_t>& out, double d) {
    const auto v = std::bit_cast<uint64_t>(d);
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint32_t getU32(const uint8_t* p) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

double getF64(const uint8_t* p) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
    return std::bit_cast<double>(v);
}

}  // namespace

std::array<uint8_t, kLogHeaderSize> encodeLogHeader(uint32_t recordCount) {
    std::vector<uint8_t> out;
    putU32(out, kLogFileMagic);
    putU32(out, recordCount);
    putU32(out, kLogSeriesCount);
    std::array<uint8_t, kLogHeaderSize> header{};
    std::copy(out.begin(), out.end(), header.begin());
    return header;
}

std::array<uint8_t, kLogRecordSize> encodeLogRecord(double time,
                                                    const std::array<double, kLogSeriesCount>& values) {
    std::vector<uint8_t> out;
    out.reserve(kLogRecordSize);
    putF64(out, time);
    for (const double v : values) putF64(out, v);
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
    if (bytes.size() < kLogHeaderSize || getU32(bytes.data()) != kLogFileMagic)
        return LogDecodeStatus::BadFormat;
    const auto n = static_cast<int32_t>(getU32(bytes.data() + 4));
    const auto s = static_cast<int32_t>(getU32(bytes.data() + 8));
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
        out.times[i] = getF64(p);
        for (std::size_t k = 0; k < kept; ++k) out.values[i * kept + k] = getF64(p + 8 * (1 + k));
    }
    return LogDecodeStatus::Ok;
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
    if (out.size() == kLogHeaderSize && getU32(out.data()) == kLogFileMagic) {
        const auto n = static_cast<int32_t>(getU32(out.data() + 4));
        const auto s = static_cast<int32_t>(getU32(out.data() + 8));
        if (n >= 0 && s >= 0)
            return file.readUpTo(out, static_cast<uint64_t>(n) * 8u * (1u + static_cast<uint64_t>(s)));
    }
    return true;
}

bool writeFileBytes(const std::string& path, std::span<const uint8_t> bytes) {
    return writeFileSafely(path, bytes);
}

}  // namespace bxl
