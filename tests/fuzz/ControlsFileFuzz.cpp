// The controls-file loader fed arbitrary files.
//
// Invariants: a file is accepted exactly when it holds at least 804 bytes and
// its checksum holds (worked out here independently, over unsigned words);
// an accepted file gives the 200 little-endian values it holds, and saving
// them again gives back its first 804 bytes; a refused file changes nothing
// in the value store.
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "model/ControlsFile.h"

using namespace bxl;

namespace {

uint32_t wordAt(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

int32_t pattern(int i) {
    return static_cast<int32_t>(0x5A5A0000u + static_cast<uint32_t>(i) * 7919u);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const Bytes bytes(data, data + size);

    bool expected = size >= kControlsFileSize;
    if (expected) {
        uint32_t sum = kControlsFileSeed;
        for (std::size_t i = 0; i < kControlsCount; ++i) sum += wordAt(data + 4 * i);
        expected = sum == wordAt(data + 800);
    }

    // The store as a load finds it: values, received copies, pending flags.
    ValueStore store;
    for (int i = 0; i < kValueCount; ++i) {
        store.setCurrent(i, pattern(i));
        store.setReceived(i, pattern(i) ^ 1);
        store.setPending(i, i & 1);
    }

    const auto block = decodeControlsFile(bytes);
    FUZZ_CHECK(block.has_value() == expected);
    if (block) {
        for (int i = 0; i < kControlsCount; ++i) {
            FUZZ_CHECK((*block)[static_cast<std::size_t>(i)] ==
                       static_cast<int32_t>(wordAt(data + 4 * static_cast<std::size_t>(i))));
            store.setCurrent(i, (*block)[static_cast<std::size_t>(i)]);
        }
        const Bytes saved = encodeControlsFile(store);
        FUZZ_CHECK(saved.size() == kControlsFileSize);
        FUZZ_CHECK(std::equal(saved.begin(), saved.end(), bytes.begin()));
    }

    // Only a good load touches the store, and then only the current values 0..199.
    for (int i = 0; i < kValueCount; ++i) {
        if (block && i < kControlsCount) continue;
        FUZZ_CHECK(store.current(i) == pattern(i));
    }
    for (int i = 0; i < kValueCount; ++i) {
        FUZZ_CHECK(store.received(i) == (pattern(i) ^ 1));
        FUZZ_CHECK(store.pending(i) == (i & 1));
    }
    return 0;
}
