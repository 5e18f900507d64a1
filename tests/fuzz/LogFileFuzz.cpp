// The log-file loader fed arbitrary files.
//
// Invariants: a file is refused exactly when it is shorter than its 12-byte
// header, lacks the magic, or announces a negative record or series count,
// and a refused file leaves the chart's points as they were; an accepted file
// gives min(N, whole records present) records of min(S, 15) values, bit for
// bit as stored, in no more memory than the file's bytes; loaded into the
// log, every series it fills holds that many points in ascending time order
// (NaN times last), with the same times in every series, and the others are
// empty.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <span>

#include "FuzzCheck.h"
#include "model/log/LogFile.h"
#include "model/log/LogStore.h"

using namespace bxl;

namespace {

uint32_t u32At(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint64_t bitsAt(const uint8_t* p) {
    uint64_t u = 0;
    for (int i = 7; i >= 0; --i) u = u << 8 | p[i];
    return u;
}

uint64_t bitsOf(double d) {
    uint64_t u = 0;
    std::memcpy(&u, &d, sizeof u);
    return u;
}

std::array<double, kLogSeriesCount> pattern() {
    std::array<double, kLogSeriesCount> v{};
    for (int k = 0; k < kLogSeriesCount; ++k) v[static_cast<std::size_t>(k)] = 100.0 + k;
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::span<const uint8_t> bytes(data, size);

    bool expectOk = size >= kLogHeaderSize && u32At(data) == kLogFileMagic;
    int32_t n = 0, s = 0;
    if (expectOk) {
        n = static_cast<int32_t>(u32At(data + 4));
        s = static_cast<int32_t>(u32At(data + 8));
        expectOk = n >= 0 && s >= 0;
    }

    // What the chart shows before the load.
    LogStore log;
    log.addSample(45000.5, pattern());

    LogFileContents contents;
    const LogDecodeStatus status = decodeLogFile(bytes, contents);
    FUZZ_CHECK((status == LogDecodeStatus::Ok) == expectOk);
    if (!expectOk) {
        for (int k = 0; k < kLogSeriesCount; ++k) {
            FUZZ_CHECK(log.count(k) == 1);
            FUZZ_CHECK(log.time(k, 0) == 45000.5 && log.value(k, 0) == 100.0 + k);
        }
        return 0;
    }

    const std::size_t kept = static_cast<std::size_t>(std::min<int32_t>(s, kLogSeriesCount));
    const std::size_t recordSize = 8 * (1 + static_cast<std::size_t>(s));
    const std::size_t records =
        std::min<std::size_t>(static_cast<std::size_t>(n), (size - kLogHeaderSize) / recordSize);
    FUZZ_CHECK(static_cast<std::size_t>(contents.series) == kept);
    FUZZ_CHECK(contents.recordCount() == records);
    FUZZ_CHECK(contents.values.size() == records * kept);
    FUZZ_CHECK(8 * (contents.times.size() + contents.values.size()) <= size);
    for (std::size_t i = 0; i < records; ++i) {
        const uint8_t* rec = data + kLogHeaderSize + i * recordSize;
        FUZZ_CHECK(bitsOf(contents.times[i]) == bitsAt(rec));
        for (std::size_t k = 0; k < kept; ++k)
            FUZZ_CHECK(bitsOf(contents.values[i * kept + k]) == bitsAt(rec + 8 * (1 + k)));
    }

    addLogFileContents(contents, log);
    for (int k = 0; k < kLogSeriesCount; ++k) {
        const std::size_t expected = static_cast<std::size_t>(k) < kept ? records : 0;
        FUZZ_CHECK(log.count(k) == expected);
        for (std::size_t i = 0; i < log.count(k); ++i) {
            FUZZ_CHECK(bitsOf(log.time(k, i)) == bitsOf(log.time(0, i)));
            if (i == 0) continue;
            const double a = log.time(k, i - 1), b = log.time(k, i);
            if (std::isnan(a))
                FUZZ_CHECK(std::isnan(b));
            else if (!std::isnan(b))
                FUZZ_CHECK(a <= b);
        }
    }
    return 0;
}
