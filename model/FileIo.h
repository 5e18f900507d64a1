// Reading and writing whole files for the file codecs, reporting every
// failure, writing regular files through a temporary file so that a failed
// write never leaves a half-written file under the chosen name.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace bxl {

// Reads at most `maxBytes` from the start of the file; nothing when it cannot
// be opened.
std::optional<std::vector<uint8_t>> readFilePrefix(const std::string& path, std::size_t maxBytes);

// Writes the bytes; false when opening, writing, flushing or renaming fails.
bool writeFileSafely(const std::string& path, const void* data, std::size_t size);

}  // namespace bxl
