#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include "model/log/DateTime.h"
#include "model/log/LogFile.h"
#include "model/log/LogJournal.h"
#include "model/log/LogRecorder.h"
#include "tests/support/TempFolder.h"

namespace {

using bxl::LogJournal;

// The samples a log file holds; nothing when it cannot be read as one.
std::optional<bxl::LogFileContents> readLog(const std::string& path) {
    std::vector<uint8_t> bytes;
    bxl::LogFileContents c;
    if (!bxl::readFileBytes(path, bytes) || bxl::decodeLogFile(bytes, c) != bxl::LogDecodeStatus::Ok)
        return std::nullopt;
    return c;
}

// Records held by the log file at path; -1 when there is none.
long recordsIn(const std::string& path) {
    const auto c = readLog(path);
    return c ? static_cast<long>(c->recordCount()) : -1;
}

bool exists(const std::string& path) {
    return std::filesystem::exists(std::filesystem::symlink_status(path));
}

std::array<double, 15> sample(int k) {
    std::array<double, 15> v{};
    for (std::size_t s = 0; s < v.size(); ++s) v[s] = k * 100.0 + static_cast<double>(s) + 0.25;
    return v;
}

// A recorder with a journal in its own folder, and a clock moving one second
// a tick.
struct Rig {
    TempFolder tmp;
    std::string folder = tmp.path + "/state/brisaval-xl";
    LogJournal journal{folder};
    bxl::ValueStore values;
    bxl::LogStore log;
    double now = bxl::dateTimeNumber(2024, 3, 1, 12, 0, 0, 0);
    bxl::LogRecorder rec{values, log, [this] { return now; }};

    Rig() { rec.setJournal(&journal); }
    std::string file(const char* name) const { return folder + "/" + name; }
    // Runs ticks at interval 2 until n more samples were taken.
    void samples(int n) {
        for (int taken = 0; taken < n;) {
            now += 1.0 / 86400.0;
            values.setCurrent(256, static_cast<int32_t>(now * 1000) % 1000);
            if (rec.tick(2).sampled) ++taken;
        }
    }
};

TEST(JournalFolder, FollowsTheStateHome) {
    struct Case {
        const char* xdg;
        const char* home;
        const char* folder;
    } cases[] = {
        {"/x/state", "/home/e", "/x/state/brisaval-xl"},
        {"", "/home/e", "/home/e/.local/state/brisaval-xl"},
        {"relative/state", "/home/e", "/home/e/.local/state/brisaval-xl"},
        {"", "", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(bxl::journalFolder(c.xdg, c.home), c.folder) << c.xdg;
}

TEST(DateTime, CalendarTimeOfADateTimeNumber) {
    struct Case {
        int y, mo, d, h, mi, s, ms;
    } cases[] = {{1899, 12, 30, 0, 0, 0, 0}, {2024, 2, 29, 23, 59, 59, 0},  {2024, 5, 17, 9, 30, 1, 999},
                 {1850, 7, 4, 6, 5, 4, 0},   {9999, 12, 31, 23, 59, 59, 0}, {1, 1, 1, 0, 0, 0, 0}};
    for (const Case& c : cases) {
        bxl::CalendarTime t;
        ASSERT_TRUE(bxl::calendarTime(bxl::dateTimeNumber(c.y, c.mo, c.d, c.h, c.mi, c.s, c.ms), t)) << c.y;
        EXPECT_EQ((std::array{t.year, t.month, t.day, t.hour, t.minute, t.second}),
                  (std::array{c.y, c.mo, c.d, c.h, c.mi, c.s}))
            << c.y;
    }
    bxl::CalendarTime t;
    for (double bad : {std::nan(""), 1e300, -1e300, HUGE_VAL}) EXPECT_FALSE(bxl::calendarTime(bad, t)) << bad;
}

TEST(LogJournal, ReadsAsALogFileAfterEverySampleAndAtEveryCut) {
    TempFolder tmp;
    LogJournal j(tmp.path + "/new/state/brisaval-xl");  // missing folders are made
    ASSERT_TRUE(j.begin()) << j.problem();
    const std::string path = j.path(LogJournal::kActiveName);
    EXPECT_EQ(recordsIn(path), 0);
    for (int k = 0; k < 5; ++k) {
        ASSERT_TRUE(j.append(45000.5 + k, sample(k)));
        const auto c = readLog(path);
        ASSERT_TRUE(c && c->recordCount() == static_cast<std::size_t>(k + 1));
        EXPECT_EQ(c->times.back(), 45000.5 + k);
        const auto v = sample(k);
        EXPECT_EQ(std::vector(c->values.end() - 15, c->values.end()), std::vector(v.begin(), v.end()));
    }

    // A kill leaves the file cut anywhere after the header, with the count
    // of the records before the one being written (or, after that record,
    // already taking it in): it reads as exactly the samples counted.
    std::vector<uint8_t> whole;
    ASSERT_TRUE(bxl::readFileBytes(path, whole));
    for (std::size_t cut = bxl::kLogHeaderSize; cut <= whole.size(); ++cut) {
        const auto full = static_cast<uint32_t>((cut - bxl::kLogHeaderSize) / bxl::kLogRecordSize);
        for (uint32_t count : {full, full - 1}) {
            if (count > full) continue;  // no record before the first
            std::vector<uint8_t> bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
            const auto header = bxl::encodeLogHeader(count);
            std::copy(header.begin(), header.end(), bytes.begin());
            bxl::LogFileContents c;
            ASSERT_EQ(bxl::decodeLogFile(bytes, c), bxl::LogDecodeStatus::Ok);
            ASSERT_EQ(c.recordCount(), count) << cut;
            for (uint32_t i = 0; i < count; ++i) EXPECT_EQ(c.times[i], 45000.5 + i);
        }
    }
}

TEST(LogJournal, FollowsTheRecordingThroughSavesClearsAndStarts) {
    Rig r;
    const std::string active = r.file(LogJournal::kActiveName);
    const std::string saved = r.file(LogJournal::kSavedName);
    const std::string discarded = r.file(LogJournal::kDiscardedName);

    r.rec.start();
    r.samples(3);
    EXPECT_EQ(recordsIn(active), 3);
    EXPECT_TRUE(r.rec.unsavedSamples());

    // Saved: the journal is marked so and no longer counts as unsaved.
    r.rec.saved();
    EXPECT_FALSE(r.rec.unsavedSamples());
    EXPECT_FALSE(exists(active));
    EXPECT_EQ(recordsIn(saved), 3);

    // Recording goes on: the next sample makes the whole journal unsaved.
    r.samples(1);
    EXPECT_TRUE(r.rec.unsavedSamples());
    EXPECT_FALSE(exists(saved));
    EXPECT_EQ(recordsIn(active), 4);

    // Clear while recording: the samples go to the discarded journal and the
    // recording goes on in a new one.
    r.rec.clear();
    EXPECT_EQ(recordsIn(discarded), 4);
    EXPECT_EQ(recordsIn(active), 0);
    r.samples(2);
    EXPECT_EQ(recordsIn(active), 2);

    // Stopped and saved, a new Start leaves the saved journal alone.
    r.rec.stop();
    r.rec.saved();
    r.rec.start();
    EXPECT_EQ(recordsIn(saved), 2);
    EXPECT_EQ(recordsIn(active), 0);
    r.samples(1);
    r.rec.stop();
    EXPECT_EQ(recordsIn(active), 1);

    // Clear after Stop discards (the window has asked); an empty journal is
    // simply removed.
    r.rec.clear();
    EXPECT_EQ(recordsIn(discarded), 1);
    EXPECT_FALSE(exists(active));
    r.rec.start();
    r.rec.stop();
    r.rec.clear();
    EXPECT_FALSE(exists(active));
    EXPECT_EQ(recordsIn(discarded), 1);
    EXPECT_EQ(recordsIn(saved), 2);
}

TEST(LogJournal, RestoresTheSameChartAfterTheClockWasSetBack) {
    Rig r;
    r.rec.start();
    r.samples(4);
    r.now -= 7.0 / 86400.0;  // daylight saving time ends
    r.samples(4);
    const auto journal = readLog(r.file(LogJournal::kActiveName));
    ASSERT_TRUE(journal && journal->recordCount() == 8);
    // The journal keeps the order of taking; the chart is sorted by time.
    EXPECT_GT(journal->times[3], journal->times[4]);
    EXPECT_NE(r.log.time(0, 3), journal->times[3]);

    bxl::LogStore restored;
    bxl::addLogFileContents(*journal, restored);
    EXPECT_EQ(bxl::encodeLogFile(restored), bxl::encodeLogFile(r.log));
}

TEST(LogJournal, HoldsEverySampleOfARecordingStoppedAtTheLimit) {
    Rig r;
    r.rec.start();
    r.samples(10001);
    EXPECT_FALSE(r.rec.logActive());
    EXPECT_TRUE(r.rec.stoppedAtLimit());
    EXPECT_EQ(std::filesystem::file_size(r.file(LogJournal::kActiveName)), 12u + 128u * 10001u);
    EXPECT_EQ(recordsIn(r.file(LogJournal::kActiveName)), 10001);
    r.rec.tick(2);
    EXPECT_EQ(recordsIn(r.file(LogJournal::kActiveName)), 10001);
    r.rec.clear();
    EXPECT_FALSE(r.rec.stoppedAtLimit());
}

TEST(LogJournal, AJournalThatCannotBeWrittenNeverStopsTheRecording) {
    // Records six samples with the journal in the folder, returning the
    // problem text the recorder then reports.
    const auto recordSix = [](const std::string& folder, const std::function<void()>& midway = {}) {
        LogJournal j(folder);
        bxl::ValueStore values;
        bxl::LogStore log;
        double now = 45000.0;
        bxl::LogRecorder rec(values, log, [&] { return now += 1.0 / 86400.0; });
        rec.setJournal(&j);
        rec.start();
        for (int i = 0; i < 12; ++i) {
            if (i == 4 && midway) midway();
            rec.tick(2);
        }
        EXPECT_TRUE(rec.logActive());
        EXPECT_EQ(log.count(14), 6u) << folder;
        return rec.journalProblem();
    };

    TempFolder tmp;
    std::ofstream(tmp.file("plain")) << "a file, not a folder";
    EXPECT_NE(recordSix(tmp.file("plain") + "/brisaval-xl").find("Not a directory"), std::string::npos);
    EXPECT_FALSE(LogJournal(tmp.file("plain") + "/brisaval-xl").findUnsaved());  // start-up goes on
    EXPECT_NE(recordSix("").find("neither XDG_STATE_HOME nor HOME"), std::string::npos);

    // Another Control Center using the journal keeps it; this one goes on
    // without.
    {
        LogJournal first(tmp.file("shared"));
        ASSERT_TRUE(first.begin());
        EXPECT_NE(recordSix(tmp.file("shared")).find("in use by another Control Center"), std::string::npos);
        EXPECT_EQ(recordsIn(first.path(LogJournal::kActiveName)), 0);
    }

    // A full disk after two samples (a file size limit gives the same
    // refusal): the journal keeps those two, readable.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const std::string problem = recordSix(tmp.file("full"), [&] {
        rlimit small = old;
        small.rlim_cur = bxl::kLogHeaderSize + 2 * bxl::kLogRecordSize + 64;
        setrlimit(RLIMIT_FSIZE, &small);
    });
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_NE(problem.find("recording.LOG"), std::string::npos) << problem;
    EXPECT_EQ(recordsIn(tmp.file("full") + "/recording.LOG"), 2);
}

TEST(LogJournal, StartOffersOnlyUnsavedSamplesAndKeepsEveryFileItDoesNotRestore) {
    TempFolder tmp;
    const std::string folder = tmp.file("brisaval-xl");
    const std::string active = folder + "/recording.LOG";
    const double start = bxl::dateTimeNumber(2024, 3, 1, 12, 0, 1, 0);
    // An earlier run that recorded three samples and was killed.
    const auto leaveJournal = [&](int samples) {
        LogJournal earlier(folder);
        ASSERT_TRUE(earlier.begin());
        for (int k = 0; k < samples; ++k) ASSERT_TRUE(earlier.append(start + k / 86400.0, sample(k)));
    };

    EXPECT_FALSE(LogJournal(folder).findUnsaved());
    EXPECT_FALSE(exists(folder));  // looking creates nothing

    leaveJournal(3);
    {
        LogJournal j(folder);
        const auto found = j.findUnsaved();
        ASSERT_TRUE(found);
        EXPECT_EQ(found->recordCount(), 3u);
        EXPECT_EQ(found->times.front(), start);
        // A second Control Center started meanwhile leaves it to this one.
        EXPECT_FALSE(LogJournal(folder).findUnsaved());
        EXPECT_EQ(j.asidePath(start), folder + "/recording-2024-03-01-120001.LOG");
        ASSERT_TRUE(j.setFoundAside(start));
    }
    EXPECT_EQ(recordsIn(folder + "/recording-2024-03-01-120001.LOG"), 3);
    EXPECT_FALSE(exists(active));

    // The same start again gets a name of its own.
    leaveJournal(2);
    {
        LogJournal j(folder);
        ASSERT_TRUE(j.findUnsaved());
        ASSERT_TRUE(j.setFoundAside(start));
    }
    EXPECT_EQ(recordsIn(folder + "/recording-2024-03-01-120001-2.LOG"), 2);

    // Restored and then saved: not offered again.
    leaveJournal(2);
    {
        LogJournal j(folder);
        const auto found = j.findUnsaved();
        ASSERT_TRUE(found);
        j.adoptFound(found->recordCount());
        EXPECT_TRUE(j.unsaved());
        j.markSaved();
    }
    EXPECT_FALSE(LogJournal(folder).findUnsaved());
    EXPECT_EQ(recordsIn(folder + "/recording-saved.LOG"), 2);

    // A journal without samples is not offered; a file that is no log file,
    // or a pipe in its place, neither (and opening the pipe does not wait
    // for a writer); a new recording keeps them aside rather than replace
    // them.
    leaveJournal(0);
    EXPECT_FALSE(LogJournal(folder).findUnsaved());
    std::ofstream(active) << "not a log";
    EXPECT_FALSE(LogJournal(folder).findUnsaved());
    {
        LogJournal j(folder);
        ASSERT_TRUE(j.begin());
    }
    ASSERT_EQ(::unlink(active.c_str()), 0);
    ASSERT_EQ(::mkfifo(active.c_str(), 0600), 0);
    EXPECT_FALSE(LogJournal(folder).findUnsaved());
    {
        LogJournal j(folder);
        ASSERT_TRUE(j.begin());
    }
    int keptAside = 0, pipes = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (name.rfind("recording-", 0) == 0 && name != "recording-saved.LOG") ++keptAside;
        if (e.is_fifo()) ++pipes;
    }
    EXPECT_EQ(keptAside, 4);  // two set aside above, the text file and the pipe
    EXPECT_EQ(pipes, 1);
}

}  // namespace
