// Files that misbehave, for the tests of the code that reads and writes them.
#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <string>
#include <thread>

namespace bxl::test {

// A named pipe for tests of code that must never wait on one. Should the code
// under test wait after all, the other end of the pipe is opened after a few
// seconds and lets it go on, so that the fault shows as a failed check rather
// than a test that hangs.
class TestFifo {
public:
    explicit TestFifo(std::string path) : path_(std::move(path)) {
        made_ = ::mkfifo(path_.c_str(), 0666) == 0;
        watchdog_ = std::thread([this] {
            std::unique_lock lock(mutex_);
            if (wake_.wait_for(lock, std::chrono::seconds(3), [this] { return done_; })) return;
            // From now on a waiting writer is let through by a reader that
            // stays until the test is over, and a waiting reader by a writer
            // that comes and leaves again (the reader then reads the end of
            // the pipe).
            const int reader = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);
            while (!wake_.wait_for(lock, std::chrono::milliseconds(100), [this] { return done_; })) {
                const int writer = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
                if (writer >= 0) ::close(writer);
            }
            if (reader >= 0) ::close(reader);
        });
    }
    ~TestFifo() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        watchdog_.join();
        ::unlink(path_.c_str());
    }
    TestFifo(const TestFifo&) = delete;
    TestFifo& operator=(const TestFifo&) = delete;

    bool made() const { return made_; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    bool made_ = false;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread watchdog_;
};

// While it lives, no file of this process may grow beyond `bytes`: a write
// past that fails half-way, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        savedSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, saved_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, savedSignal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*savedSignal_)(int) = SIG_DFL;
};

}  // namespace bxl::test
