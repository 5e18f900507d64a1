#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <bit>
#include <cmath>
#include <limits>

#include "model/log/LogFile.h"
#include "tests/support/FileFaults.h"

namespace {

using Bytes = std::vector<uint8_t>;

void putU32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void putF64(Bytes& b, double d) {
    const auto v = std::bit_cast<uint64_t>(d);
    for (int i = 0; i < 8; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A hand-made file: header then records of time k + value k.1, k.2, ...
Bytes fixture(int32_t n, int32_t s, int records) {
    Bytes b;
    putU32(b, bxl::kLogFileMagic);
    putU32(b, static_cast<uint32_t>(n));
    putU32(b, static_cast<uint32_t>(s));
    for (int k = 0; k < records; ++k) {
        putF64(b, 45000.0 + k);
        for (int j = 1; j <= s; ++j) putF64(b, k + j / 100.0);
    }
    return b;
}

bxl::LogStore load(const Bytes& bytes) {
    bxl::LogFileContents c;
    EXPECT_EQ(bxl::decodeLogFile(bytes, c), bxl::LogDecodeStatus::Ok);
    bxl::LogStore log;
    bxl::addLogFileContents(c, log);
    return log;
}

std::string tempPath(const QTemporaryDir& dir, const char* name) {
    return dir.filePath(QString::fromLatin1(name)).toStdString();
}

TEST(LogFile, EmptyLogIsTheTwelveByteHeaderAndLoadsEmpty) {
    const Bytes b = bxl::encodeLogFile(bxl::LogStore{});
    EXPECT_EQ(b, (Bytes{0x07, 0x70, 0xFE, 0xEF, 0, 0, 0, 0, 15, 0, 0, 0}));
    bxl::LogStore log = load(b);
    EXPECT_TRUE(log.empty());
}

TEST(LogFile, RecordLayoutIsTimeThenSeriesOneToFifteenLittleEndian) {
    bxl::LogStore log;
    std::array<double, 15> v{};
    for (int s = 0; s < 15; ++s) v[static_cast<std::size_t>(s)] = s + 1;
    log.addSample(2.0, v);
    const Bytes b = bxl::encodeLogFile(log);
    ASSERT_EQ(b.size(), 12u + 128u);
    EXPECT_EQ(Bytes(b.begin() + 4, b.begin() + 12), (Bytes{1, 0, 0, 0, 15, 0, 0, 0}));
    // 2.0 is 0x4000000000000000, 15.0 is 0x402E000000000000.
    EXPECT_EQ(Bytes(b.begin() + 12, b.begin() + 20), (Bytes{0, 0, 0, 0, 0, 0, 0, 0x40}));
    EXPECT_EQ(Bytes(b.end() - 8, b.end()), (Bytes{0, 0, 0, 0, 0, 0, 0x2E, 0x40}));
}

TEST(LogFile, RoundTripIsBitForBit) {
    const double odd[] = {-0.0,
                          std::numeric_limits<double>::denorm_min(),
                          std::numeric_limits<double>::infinity(),
                          std::bit_cast<double>(0x7FF8000000001234ull),  // NaN with a payload
                          0.1,
                          -273.15,
                          1e300};
    bxl::LogStore log;
    for (int i = 0; i < 7; ++i) {
        std::array<double, 15> v{};
        for (int s = 0; s < 15; ++s) v[static_cast<std::size_t>(s)] = odd[(i + s) % 7] * (s + 1);
        log.addSample(45292.0 + i / 86400.0 + 0.000123, v);
    }
    const Bytes first = bxl::encodeLogFile(log);
    const bxl::LogStore back = load(first);
    EXPECT_EQ(bxl::encodeLogFile(back), first);
    for (int s = 0; s < 15; ++s) {
        ASSERT_EQ(back.count(s), 7u);
        for (std::size_t i = 0; i < 7; ++i) {
            EXPECT_EQ(std::bit_cast<uint64_t>(back.value(s, i)), std::bit_cast<uint64_t>(log.value(s, i)));
            EXPECT_EQ(std::bit_cast<uint64_t>(back.time(s, i)), std::bit_cast<uint64_t>(log.time(s, i)));
        }
    }
}

TEST(LogFile, FullRecordingIs1280140BytesAndLoadsBack) {
    bxl::LogStore log;
    std::array<double, 15> v{};
    for (int i = 0; i < 10001; ++i) {
        v[0] = i;
        log.addSample(45000.0 + i * 2.0 / 86400.0, v);
    }
    const Bytes b = bxl::encodeLogFile(log);
    EXPECT_EQ(b.size(), 1280140u);
    const bxl::LogStore back = load(b);
    for (int s = 0; s < 15; ++s) EXPECT_EQ(back.count(s), 10001u);
    EXPECT_EQ(back.value(0, 10000), 10000.0);
}

TEST(LogFile, SeriesCountOtherThanFifteen) {
    // S = 13: series 14 and 15 stay empty.
    bxl::LogStore log = load(fixture(2, 13, 2));
    for (int s = 0; s < 13; ++s) EXPECT_EQ(log.count(s), 2u);
    EXPECT_EQ(log.count(13), 0u);
    EXPECT_EQ(log.count(14), 0u);
    EXPECT_EQ(log.value(12, 1), 1.13);

    // S = 17: the first fifteen values are read, the rest skipped, and the
    // next record is read in step.
    log = load(fixture(3, 17, 3));
    ASSERT_EQ(log.count(14), 3u);
    EXPECT_EQ(log.time(0, 2), 45002.0);
    EXPECT_EQ(log.value(0, 2), 2.01);
    EXPECT_EQ(log.value(14, 2), 2.15);

    // S = 0: records are times only and fill no series.
    EXPECT_TRUE(load(fixture(4, 0, 4)).empty());
}

TEST(LogFile, EndingEarlyKeepsTheWholeRecordsReadSoFar) {
    Bytes b = fixture(3, 15, 3);
    b.resize(b.size() - 64);  // half of the third record
    bxl::LogStore log = load(b);
    EXPECT_EQ(log.count(0), 2u);
    EXPECT_EQ(log.count(14), 2u);

    // A header that announces more than the file holds allocates nothing for
    // it and reads what is there.
    b = fixture(std::numeric_limits<int32_t>::max(), 15, 1);
    log = load(b);
    EXPECT_EQ(log.count(0), 1u);

    // Records beyond N are ignored.
    EXPECT_EQ(load(fixture(1, 15, 3)).count(0), 1u);
}

TEST(LogFile, BadHeadersAreRefused) {
    Bytes otherMagic = fixture(1, 15, 1);
    otherMagic[0] = 0x08;
    const Bytes cases[] = {
        {},
        {0x07, 0x70, 0xFE},
        {0x07, 0x70, 0xFE, 0xEF, 1, 0, 0, 0},  // header cut short
        otherMagic,
        fixture(-1, 15, 1),
        fixture(1, -15, 1),
        fixture(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min(), 0),
    };
    for (const Bytes& b : cases) {
        bxl::LogFileContents c;
        EXPECT_EQ(bxl::decodeLogFile(b, c), bxl::LogDecodeStatus::BadFormat) << b.size();
        EXPECT_EQ(c.recordCount(), 0u);
    }
}

TEST(LogFile, UnorderedTimesComeOutSortedInEverySeriesAlike) {
    Bytes b;
    putU32(b, bxl::kLogFileMagic);
    putU32(b, 3);
    putU32(b, 15);
    for (double t : {3.0, 1.0, 2.0}) {
        putF64(b, t);
        for (int s = 0; s < 15; ++s) putF64(b, t * 10 + s);
    }
    const bxl::LogStore log = load(b);
    for (int s = 0; s < 15; ++s) {
        EXPECT_EQ(log.series(s).times, (std::vector<double>{1, 2, 3}));
        EXPECT_EQ(log.value(s, 0), 10.0 + s);
    }
}

TEST(LogFile, WriteAndReadFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = tempPath(dir, "TREND.LOG");
    const Bytes big = fixture(2, 15, 2);
    ASSERT_TRUE(bxl::writeFileBytes(path, big));
    // Saving over a file replaces its contents.
    const Bytes small = fixture(0, 15, 0);
    ASSERT_TRUE(bxl::writeFileBytes(path, small));
    Bytes back;
    ASSERT_TRUE(bxl::readFileBytes(path, back));
    EXPECT_EQ(back, small);

    EXPECT_FALSE(bxl::readFileBytes(tempPath(dir, "missing.LOG"), back));
    EXPECT_FALSE(bxl::readFileBytes(dir.path().toStdString(), back));
    EXPECT_FALSE(bxl::writeFileBytes(tempPath(dir, "no/such/dir.LOG"), small));
    // A log file is read as far as its header announces; any other file only
    // as far as its first bytes.
    Bytes trailing = fixture(2, 15, 2);
    const std::size_t logSize = trailing.size();
    trailing.resize(logSize + 5000, 0xAB);
    ASSERT_TRUE(bxl::writeFileBytes(path, trailing));
    ASSERT_TRUE(bxl::readLogFileBytes(path, back));
    EXPECT_EQ(back, Bytes(trailing.begin(), trailing.begin() + static_cast<std::ptrdiff_t>(logSize)));
    trailing[0] = 'M';
    ASSERT_TRUE(bxl::writeFileBytes(path, trailing));
    ASSERT_TRUE(bxl::readLogFileBytes(path, back));
    EXPECT_EQ(back.size(), bxl::kLogHeaderSize);
    EXPECT_FALSE(bxl::readLogFileBytes(tempPath(dir, "missing.LOG"), back));

    // The device accepts the open but fails every write: reported, not lost.
    EXPECT_FALSE(bxl::writeFileBytes("/dev/full", small));
}

TEST(LogFile, ReadsOnlyRegularFilesAndAFailedSaveKeepsTheOldFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Bytes back;
    bxl::test::TestFifo fifo(tempPath(dir, "pipe.LOG"));
    ASSERT_TRUE(fifo.made());
    EXPECT_FALSE(bxl::readLogFileBytes(fifo.path(), back));
    EXPECT_FALSE(bxl::readFileBytes(fifo.path(), back));
    EXPECT_FALSE(bxl::writeFileBytes(fifo.path(), fixture(0, 15, 0)));  // nobody reads it

    const std::string path = tempPath(dir, "TREND.LOG");
    const Bytes old = fixture(1, 15, 1);
    ASSERT_TRUE(bxl::writeFileBytes(path, old));
    {
        const bxl::test::FileSizeLimit limit(300);
        EXPECT_FALSE(bxl::writeFileBytes(path, fixture(4, 15, 4)));
    }
    ASSERT_TRUE(bxl::readFileBytes(path, back));
    EXPECT_EQ(back, old);
}

}  // namespace
