// A private folder for a test's files, removed with everything in it at the
// end. It lies in memory (/dev/shm) where the system has that, so that tests
// writing thousands of flushed journal records stay fast.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

struct TempFolder {
    std::string path;

    TempFolder() {
        for (const char* base : {"/dev/shm", "/tmp"}) {
            std::string pattern = std::string(base) + "/bxl-test-XXXXXX";
            if (::access(base, W_OK) == 0 && ::mkdtemp(pattern.data()) != nullptr) {
                path = pattern;
                return;
            }
        }
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string file(const std::string& name) const { return path + "/" + name; }
};
