#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <string>
#include <vector>

#include "cli/Files.h"
#include "model/FileIo.h"
#include "model/log/LogFile.h"

using namespace bxl;
using namespace bxl::cli;

namespace {

std::vector<uint8_t> fileBytes(const std::string& path) {
    return readFilePrefix(path, 1 << 20).value_or(std::vector<uint8_t>{});
}

}  // namespace

TEST(LogFileAppender, FileIsValidAfterEverySample) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("night.LOG").toStdString();
    LogFileAppender file;
    std::string error;
    ASSERT_TRUE(file.create(path, error)) << error;
    // An empty recording is the 12-byte file "Save Log" writes for no points.
    EXPECT_EQ(fileBytes(path), (std::vector<uint8_t>{0x07, 0x70, 0xFE, 0xEF, 0, 0, 0, 0, 15, 0, 0, 0}));

    LogStore expected;
    for (int i = 0; i < 3; ++i) {
        std::array<double, kLogSeriesCount> values{};
        for (int s = 0; s < kLogSeriesCount; ++s) values[static_cast<std::size_t>(s)] = i * 100 + s + 0.5;
        const double t = 46000.0 + i * 2.0 / 86400;
        ASSERT_TRUE(file.append(t, values, error)) << error;
        expected.addSample(t, values);
        // At every moment the file is what "Save Log" writes for the samples so far.
        EXPECT_EQ(fileBytes(path), encodeLogFile(expected)) << i;
    }
    EXPECT_EQ(file.records(), 3u);
}

TEST(LogFileAppender, RefusesWhatIsNotARegularFile) {
    QTemporaryDir dir;
    std::string error;
    LogFileAppender file;
    EXPECT_FALSE(file.create(dir.path().toStdString(), error));
    EXPECT_NE(error.find("is a folder"), std::string::npos) << error;
    EXPECT_FALSE(file.create(dir.filePath("missing/x.LOG").toStdString(), error));
    EXPECT_NE(error.find("no such folder"), std::string::npos) << error;
    const std::string fifo = dir.filePath("pipe").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(file.create(fifo, error));  // and does not wait for a reader
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
}

TEST(Files, ReasonsInWords) {
    QTemporaryDir dir;
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(readFile(dir.filePath("none").toStdString(), 804, bytes, error));
    EXPECT_NE(error.find("none: cannot read: no such file"), std::string::npos) << error;
    EXPECT_FALSE(readFile(dir.path().toStdString(), 804, bytes, error));
    EXPECT_NE(error.find("is a folder"), std::string::npos) << error;
    EXPECT_FALSE(writeFile(dir.filePath("no/such/file").toStdString(), "x", error));
    EXPECT_NE(error.find("cannot write: no such folder"), std::string::npos) << error;
    EXPECT_EQ(writeProblem(dir.filePath("new.csv").toStdString()), "");
}
