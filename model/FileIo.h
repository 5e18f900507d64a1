// The one place where files are read and written.
//
// Reading takes regular files only (a symbolic link is followed to the file it
// names): folders, pipes and devices are refused before they are opened, and
// the open itself never waits, so a pipe without a writer cannot hang the tool.
//
// Writing replaces a file whole or not at all: the bytes go to a temporary
// file beside the target, are flushed to disk, and the temporary file is then
// renamed over the target. A symbolic link is followed to the file it names and
// stays a link; a replaced file keeps its permissions, a new one gets the
// user's default ones. An existing file the user may not write is refused.
// Where the folder cannot take the temporary file but the file itself is
// writable, and for devices and pipes, the bytes are written in place (a pipe
// without a reader is refused rather than waited for). Whenever writing fails
// through the temporary file, the old file is left as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace bxl {

// Whether a symbolic link at the end of a path is followed.
enum class Links { Follow, Refuse };

// A regular file open for reading.
class FileReader {
public:
    // Opens `path` when it names a regular file; check isOpen(). With
    // Links::Refuse a symbolic link is not opened at all.
    explicit FileReader(const std::string& path, Links links = Links::Follow);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    // Appends up to `limit` further bytes to `out`, fewer at the end of the
    // file; false on a read error (or when the file is not open).
    bool readUpTo(std::vector<uint8_t>& out, uint64_t limit);

private:
    int fd_ = -1;
};

// Reads at most `maxBytes` from the start of a regular file; nothing when it
// is not one or cannot be opened or read.
std::optional<std::vector<uint8_t>> readFilePrefix(const std::string& path, std::size_t maxBytes);

// Creates the folder and its missing parents, the new ones private to the
// user (as the XDG rules ask of the data and state folders). True when the
// folder is there.
bool makeFolders(const std::string& path);

// The tool's own folders live under brisaval-xl/ in the XDG base folders.
enum class XdgBase {
    Data,   // ${XDG_DATA_HOME:-$HOME/.local/share}
    State,  // ${XDG_STATE_HOME:-$HOME/.local/state}
};
// <base>/brisaval-xl, then "/" and `sub` unless it is empty, from the given
// values of the XDG variable and HOME. A relative XDG value is invalid and
// ignored, as the XDG rules say; empty when neither is usable.
std::string toolFolder(XdgBase base, const std::string& xdgValue, const std::string& home,
                       const std::string& sub);
// The same from this process's environment.
std::string toolFolder(XdgBase base, const std::string& sub);

// Makes renames and new files in the folder last over a power cut.
void syncFolder(const std::string& folder);

// Writes the bytes as described above; false when the file was not written
// whole.
bool writeFileSafely(const std::string& path, std::span<const uint8_t> bytes);
bool writeFileSafely(const std::string& path, const void* data, std::size_t size);

// Writes all of `size` bytes at `offset` of an open file, going on after
// interrupted and short writes; false (with errno set) when it cannot.
bool writeAllAt(int fd, const uint8_t* data, std::size_t size, int64_t offset);

}  // namespace bxl
