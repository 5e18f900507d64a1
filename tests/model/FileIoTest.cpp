// The file module against the files an engineer may pick: links, read-only
// files and folders, devices, pipes, and writes that fail half-way. Cases that
// depend on permissions run as an ordinary user (root may write anything), and
// every case that could wait on a pipe runs in a child process with an alarm,
// so that a fault shows as a failure rather than a hung test.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <string>

#include "model/FileIo.h"

using namespace bxl;
namespace fs = std::filesystem;

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void put(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

bool save(const std::string& path, const std::string& text) {
    return writeFileSafely(path, text.data(), text.size());
}

struct stat statOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}

// An ordinary user for the cases that root would pass by.
uid_t userId() {
    const passwd* pw = ::getpwnam("nobody");
    return pw != nullptr ? pw->pw_uid : 65534;
}
gid_t groupId() {
    const passwd* pw = ::getpwnam("nobody");
    return pw != nullptr ? pw->pw_gid : 65534;
}

// Runs `op` in a child process, as the ordinary user when the tests run as
// root; what op returned, or nothing when the child crashed or hung.
std::optional<bool> inChild(const std::function<bool()>& op) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(10);
        if (::geteuid() == 0 && (::setgid(groupId()) != 0 || ::setuid(userId()) != 0)) ::_exit(3);
        ::_exit(op() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) <= 1) return WEXITSTATUS(status) == 1;
    return std::nullopt;
}

class FileIoTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/bxl-fileio-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir = name;
        own(dir);
    }
    void TearDown() override {
        std::error_code ec;
        for (const auto& e : fs::recursive_directory_iterator(dir, ec))
            if (e.is_directory(ec))
                fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }
    std::string at(const char* name) const { return dir + "/" + name; }
    // Hands a path to the user the children run as.
    static void own(const std::string& path) {
        if (::geteuid() == 0) {
            ASSERT_EQ(::lchown(path.c_str(), userId(), groupId()), 0) << path;
        }
    }
    std::set<std::string> names(const std::string& folder) const {
        std::set<std::string> out;
        for (const auto& e : fs::directory_iterator(folder)) out.insert(e.path().filename().string());
        return out;
    }

    std::string dir;
};

TEST_F(FileIoTest, ReplacesAFileWholeKeepingItsPermissions) {
    const std::string fresh = at("new.ctl");
    const std::string old = at("old.ctl");
    put(old, "old contents");
    ::chmod(old.c_str(), 0604);
    own(old);
    const ino_t oldInode = statOf(old).st_ino;

    EXPECT_EQ(inChild([&] {
                  ::umask(027);
                  return save(fresh, "fresh") && save(old, "new");
              }),
              true);
    EXPECT_EQ(slurp(fresh), "fresh");
    EXPECT_EQ(statOf(fresh).st_mode & 07777, 0640u);  // the user's defaults
    EXPECT_EQ(slurp(old), "new");
    EXPECT_EQ(statOf(old).st_mode & 07777, 0604u);
    EXPECT_NE(statOf(old).st_ino, oldInode);                               // a new file took the name
    EXPECT_EQ(names(dir), (std::set<std::string>{"new.ctl", "old.ctl"}));  // nothing left behind
}

TEST_F(FileIoTest, WritesTheFileALinkNamesAndKeepsTheLink) {
    put(at("real.ctl"), "old");
    fs::create_symlink("real.ctl", at("link"));
    fs::create_symlink(at("link"), at("link-to-link"));
    fs::create_symlink("sub/later.ctl", at("dangling"));
    fs::create_directory(at("sub"));
    fs::create_symlink("loop-b", at("loop-a"));
    fs::create_symlink("loop-a", at("loop-b"));

    EXPECT_TRUE(save(at("link-to-link"), "through two links"));
    EXPECT_TRUE(fs::is_symlink(at("link")));
    EXPECT_TRUE(fs::is_symlink(at("link-to-link")));
    EXPECT_EQ(slurp(at("real.ctl")), "through two links");

    // A link to a file not made yet makes the file where the link points.
    EXPECT_TRUE(save(at("dangling"), "made"));
    EXPECT_TRUE(fs::is_symlink(at("dangling")));
    EXPECT_EQ(slurp(at("sub/later.ctl")), "made");

    EXPECT_FALSE(save(at("loop-a"), "x"));
    EXPECT_TRUE(fs::is_symlink(at("loop-a")));
}

TEST_F(FileIoTest, RefusesWhatTheUserMayNotWrite) {
    put(at("locked.ctl"), "keep me");
    ::chmod(at("locked.ctl").c_str(), 0444);
    own(at("locked.ctl"));
    fs::create_directory(at("folder"));
    fs::create_symlink("locked.ctl", at("link"));

    EXPECT_EQ(inChild([&] {
                  return save(at("locked.ctl"), "x") || save(at("link"), "x") || save(at("folder"), "x") ||
                         save(at("no/such/folder/x.ctl"), "x");
              }),
              false);
    EXPECT_EQ(slurp(at("locked.ctl")), "keep me");
    EXPECT_EQ(statOf(at("locked.ctl")).st_mode & 07777, 0444u);
    EXPECT_TRUE(fs::is_directory(at("folder")));
    EXPECT_EQ(names(dir), (std::set<std::string>{"folder", "link", "locked.ctl"}));
}

TEST_F(FileIoTest, WritesInPlaceWhereTheFolderTakesNoNewFile) {
    fs::create_directory(at("shut"));
    const std::string inShut = at("shut/unit.ctl");
    put(inShut, "old contents, longer than the new");
    own(inShut);
    own(at("shut"));
    ::chmod(at("shut").c_str(), 0555);
    const ino_t inode = statOf(inShut).st_ino;

    EXPECT_EQ(inChild([&] { return save(inShut, "new"); }), true);
    EXPECT_EQ(slurp(inShut), "new");
    EXPECT_EQ(statOf(inShut).st_ino, inode);
    // A new file cannot be made there at all.
    EXPECT_EQ(inChild([&] { return save(at("shut/other.ctl"), "x"); }), false);
    EXPECT_EQ(names(at("shut")), std::set<std::string>{"unit.ctl"});

    if (::geteuid() == 0) {
        // A shared folder where only a file's owner may replace it; the file,
        // someone else's, is writable for all, so it is written in place and
        // stays its owner's.
        fs::create_directory(at("shared"));
        ::chmod(at("shared").c_str(), 01777);
        const std::string theirs = at("shared/theirs.ctl");
        put(theirs, "old");
        ::chmod(theirs.c_str(), 0666);
        EXPECT_EQ(inChild([&] { return save(theirs, "new"); }), true);
        EXPECT_EQ(slurp(theirs), "new");
        EXPECT_EQ(statOf(theirs).st_uid, 0u);
        EXPECT_EQ(names(at("shared")), std::set<std::string>{"theirs.ctl"});
    }
}

TEST_F(FileIoTest, DevicesAndPipesAreWrittenInPlaceWithoutWaiting) {
    fs::create_symlink("/dev/null", at("null-link"));
    EXPECT_TRUE(save("/dev/null", "gone"));
    EXPECT_TRUE(save(at("null-link"), "gone"));
    EXPECT_TRUE(fs::is_symlink(at("null-link")));
    EXPECT_TRUE(S_ISCHR(statOf("/dev/null").st_mode));
    if (::access("/dev/full", W_OK) == 0) {
        EXPECT_FALSE(save("/dev/full", "no room"));
    }

    const std::string fifo = at("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    own(fifo);
    // Nobody reads: refused at once instead of waiting for a reader.
    EXPECT_EQ(inChild([&] { return save(fifo, "x"); }), false);
    // Someone reads: the bytes go down the pipe.
    EXPECT_EQ(inChild([&] {
                  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
                  const bool saved = save(fifo, "down the pipe");
                  char buf[32] = {};
                  const ssize_t n = ::read(reader, buf, sizeof buf);
                  return saved && n == 13 && std::string(buf, 13) == "down the pipe";
              }),
              true);
    EXPECT_TRUE(S_ISFIFO(statOf(fifo).st_mode));
}

TEST_F(FileIoTest, AFailedWriteLeavesTheOldFileWhole) {
    const std::string path = at("unit.ctl");
    put(path, "the old file");
    own(path);
    // The file size limit stops the write half-way, as a full disk would.
    EXPECT_EQ(inChild([&] {
                  std::signal(SIGXFSZ, SIG_IGN);
                  const rlimit limit{4096, 4096};
                  ::setrlimit(RLIMIT_FSIZE, &limit);
                  return save(path, std::string(100000, 'x'));
              }),
              false);
    EXPECT_EQ(slurp(path), "the old file");
    EXPECT_EQ(names(dir), std::set<std::string>{"unit.ctl"});

    // The folder went away after the name was picked.
    fs::create_directory(at("gone"));
    fs::remove(at("gone"));
    EXPECT_FALSE(save(at("gone/unit.ctl"), "x"));
}

TEST_F(FileIoTest, ReadsRegularFilesOnly) {
    put(at("unit.ctl"), "0123456789");
    fs::create_symlink("unit.ctl", at("link"));
    EXPECT_EQ(readFilePrefix(at("link"), 4), (std::vector<uint8_t>{'0', '1', '2', '3'}));
    EXPECT_EQ(readFilePrefix(at("unit.ctl"), 100)->size(), 10u);

    const std::string fifo = at("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    own(fifo);
    fs::create_symlink("pipe", at("pipe-link"));
    fs::create_directory(at("folder"));
    for (const std::string& path : {fifo, at("pipe-link"), at("folder"), std::string("/dev/zero"),
                                    std::string("/dev/null"), at("missing")}) {
        EXPECT_EQ(inChild([&] {
                      FileReader file(path);
                      return file.isOpen() || readFilePrefix(path, 804).has_value();
                  }),
                  false)
            << path;
    }
    // A writer holding the pipe open changes nothing: the read never waits.
    EXPECT_EQ(inChild([&] {
                  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
                  const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
                  const bool read = readFilePrefix(fifo, 804).has_value();
                  ::close(writer);
                  ::close(reader);
                  return read;
              }),
              false);
}

}  // namespace
