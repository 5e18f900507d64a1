// The receive path and the sequencer fed arbitrary bytes, interleaved with
// ticks, button presses, edits and a port that fails and comes back.
//
// Invariants held after every step:
// - the receive count stays within 0..799;
// - bytes leave only from a tick, only while the port is open, and each tick
//   sends at most one whole, well-formed request or block frame;
// - a write-controls (0x20) or second write (0x22) frame leaves only after
//   Send, each at most once per Send, and never after a later Get;
// - a write-controls frame carries exactly the current values 0..199;
// - the value store is written only at indexes the link owns, and the
//   offline flag stays 0 or 1;
// - a lost port is asked to re-open only after it had been open under the
//   current port number, never after the user renumbered or closed it;
// - the sequencer's counters stay within their ranges;
// - 100 ticks without a valid frame never pass without "No/broken
//   connection" (bad frames must not keep a dead link looking alive).
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "link/Frames.h"
#include "link/Sequencer.h"
#include "tests/support/FakeLinkView.h"
#include "tests/support/FakePort.h"

using namespace bxl;

namespace {

class Input {
public:
    Input(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::size_t take(uint8_t* out, std::size_t n) {
        n = std::min(n, size_ - pos_);
        if (n > 0) std::memcpy(out, data_ + pos_, n);
        pos_ += n;
        return n;
    }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// The fake port, checking every call the sequencer makes of it.
class CheckingPort : public test::FakePort {
public:
    bool setOpen(bool open) override {
        if (!open) {
            lost_ = false;
            openedUnderNumber_ = false;
            return FakePort::setOpen(false);
        }
        const bool opened = FakePort::setOpen(true);
        openedUnderNumber_ = openedUnderNumber_ || opened;
        return opened;
    }
    void setComNumber(uint16_t number) override {
        FUZZ_CHECK(number >= 1 && number <= 16);
        openedUnderNumber_ = false;
        FakePort::setComNumber(number);
    }
    void putChar(uint8_t b) override {
        FUZZ_CHECK(isOpen());
        FUZZ_CHECK(inTick);
        FakePort::putChar(b);
    }
    uint8_t getChar() override {
        FUZZ_CHECK(!incoming.empty());
        return FakePort::getChar();
    }
    bool reopen() override {
        // Only a port that failed under the tool, never one the user closed
        // or renumbered, and never one that did not open.
        FUZZ_CHECK(lost_);
        FUZZ_CHECK(openedUnderNumber_);
        const bool opened = FakePort::reopen();
        if (opened) lost_ = false;
        return opened;
    }

    // The device fails under the tool.
    void lose() {
        if (!isOpen()) return;
        fail();
        lost_ = true;
    }

    bool inTick = false;

private:
    bool lost_ = false;
    bool openedUnderNumber_ = false;
};

bool sameColour(Rgb a, Rgb b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// The fake view, checking every text and colour the sequencer shows.
class CheckingView : public test::FakeLinkView {
public:
    bool lostShown = false;
    void showReceiveCount(int count) override {
        FUZZ_CHECK(count >= 0 && count <= ReceiveBuffer::kMaxCount);
        FakeLinkView::showReceiveCount(count);
    }
    void showStatus(const std::string& text, Rgb colour) override {
        static const char* const kTexts[] = {
            kTextReadingProcess,   kTextReadingControls, kTextWritingControls,
            kTextWritingControls2, kTextProcessReceived, kTextControlsReceived,
            kTextWrongData,        kTextNoConnection,    kTextOutOfRange};
        bool known = false;
        for (const char* t : kTexts) known = known || text == t;
        FUZZ_CHECK(known);
        lostShown = lostShown || text == kTextNoConnection;
        FUZZ_CHECK(sameColour(colour, kStatusBlue) || sameColour(colour, kStatusMagenta) ||
                   sameColour(colour, kStatusBlack) || sameColour(colour, kStatusRed));
        // Only the newest is kept: a long input shows thousands.
        statuses.clear();
        FakeLinkView::showStatus(text, colour);
    }
};

// A reply the unit could send, built from the input so that the fuzzer
// reaches value handling without having to find checksums itself.
std::vector<uint8_t> craftedFrame(Input& in) {
    static const uint8_t kCommands[] = {kCmdProcessReply, kCmdControlsReply, kCmdWriteEcho, 0x23};
    const uint8_t kind = in.byte();
    const uint8_t command = kCommands[kind & 3];
    if (kind & 4) {
        std::vector<uint8_t> f = {command, 0x00};
        f.push_back(checksumFor(f.data(), f.size()));
        return f;
    }
    BlockValues values{};
    uint8_t raw[2 * kBlockValues] = {};
    in.take(raw, sizeof raw);
    for (int k = 0; k < kBlockValues; ++k)
        values[static_cast<std::size_t>(k)] = decodeValue(raw[2 * k], raw[2 * k + 1]);
    return blockFrame(command, values);
}

struct Harness {
    ValueStore store;
    CheckingPort port;
    CheckingView view;
    Sequencer seq{store, port, view};
    bool mayWriteControls = false;
    bool mayWriteSecond = false;

    int ticksSinceValid = 0;

    void tick() {
        port.inTick = true;
        seq.tick();
        port.inTick = false;
        checkSent();
        // The watchdog is at its full 50 after a tick only when that tick
        // handled a valid frame.
        if (seq.watchdog() == kWatchdogTicks) {
            ticksSinceValid = 0;
            view.lostShown = false;
        } else if (++ticksSinceValid >= 100) {
            // A silent unit is declared lost after 57 ticks (checked end to
            // end). Bad frames and a Send with nothing to write move the
            // request slots and with them the watchdog's floor raises, which
            // can put the loss a few ticks later; 10 s is the bound here.
            FUZZ_CHECK(view.lostShown);
        }
    }

    void checkSent() {
        const std::vector<uint8_t> f = port.take();
        if (f.empty()) return;
        FUZZ_CHECK(checksumValid(f.data(), f.size()));
        FUZZ_CHECK(f[1] == 0x00);
        if (f.size() == static_cast<std::size_t>(kRequestLength)) {
            FUZZ_CHECK(f[0] == kCmdReadProcess || f[0] == kCmdReadControls);
            return;
        }
        FUZZ_CHECK(f.size() == static_cast<std::size_t>(kBlockLength));
        if (f[0] == kCmdWriteControls) {
            FUZZ_CHECK(mayWriteControls);
            mayWriteControls = false;
            for (int i = 0; i < kControlsCount; ++i) FUZZ_CHECK(blockValue(f.data(), i) == store.current(i));
        } else {
            FUZZ_CHECK(f[0] == kCmdSecondWrite);
            FUZZ_CHECK(mayWriteSecond);
            mayWriteSecond = false;
        }
    }

    void checkState() const {
        FUZZ_CHECK(seq.receiveCount() >= 0 && seq.receiveCount() <= ReceiveBuffer::kMaxCount);
        FUZZ_CHECK(seq.linkState() >= kLinkReadProcess && seq.linkState() <= kLinkSecondWrite);
        FUZZ_CHECK(seq.watchdog() >= 0 && seq.watchdog() <= kWatchdogTicks);
        FUZZ_CHECK(seq.requestCountdown() >= 0 && seq.requestCountdown() <= kRequestPeriodTicks);
        FUZZ_CHECK(seq.quietCounter() == 0 || seq.quietCounter() == 1);
        FUZZ_CHECK(store.offline() == 0 || store.offline() == 1);
        FUZZ_CHECK(port.written.empty());
        for (int i = 200; i < 256; ++i) FUZZ_CHECK(store.current(i) == 0 && store.received(i) == 0);
        for (int i = 456; i < kValueCount; ++i) FUZZ_CHECK(store.current(i) == 0 && store.received(i) == 0);
    }

    void deliver(const uint8_t* bytes, std::size_t n) {
        // The port event carries at most 65535 bytes; the inputs are far shorter.
        port.incoming.insert(port.incoming.end(), bytes, bytes + n);
        seq.bytesAvailable(static_cast<uint16_t>(n));
        FUZZ_CHECK(port.incoming.empty());
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    Harness h;
    Input in(data, size);
    h.store.setOffline(1);
    h.seq.portNumberChanged(1);
    int steps = 0;
    while (!in.empty() && steps++ < 4096) {
        const uint8_t op = in.byte();
        switch (op % 10) {
            case 0:
            case 1:
            case 2: {
                const int ticks = 1 + (op >> 4);
                for (int t = 0; t < ticks; ++t) h.tick();
                break;
            }
            case 3: {
                uint8_t bytes[256];
                const std::size_t n = in.take(bytes, in.byte());
                h.deliver(bytes, n);
                break;
            }
            case 4: {
                const auto f = craftedFrame(in);
                // Delivered in one or two pieces, as a port hands them over.
                const std::size_t cut = std::min<std::size_t>(f.size(), in.byte() * 2u);
                h.deliver(f.data(), cut);
                h.deliver(f.data() + cut, f.size() - cut);
                break;
            }
            case 5:
                // "Get" and "Send" are pressed only while enabled, as in the window.
                if (!h.view.buttons) break;
                h.seq.get();
                h.mayWriteControls = false;
                h.mayWriteSecond = false;
                break;
            case 6:
                if (!h.view.buttons) break;
                h.seq.send();
                h.mayWriteControls = true;
                h.mayWriteSecond = true;
                break;
            case 7: {
                // An edit as the value editor makes it.
                const uint8_t which = in.byte();
                const int32_t v = static_cast<int16_t>(in.byte() << 8 | in.byte());
                if (which & 1) {
                    h.store.setCurrent(kProcessFirst + which % kProcessCount, v);
                    h.store.setPending(kProcessFirst + which % kProcessCount, 1);
                } else {
                    h.store.setCurrent(which % kControlsCount, v);
                }
                break;
            }
            case 8:
                switch (in.byte() % 4) {
                    case 0:
                        h.port.lose();
                        break;
                    case 1:
                        h.port.present = true;
                        break;
                    case 2:
                        h.port.present = false;
                        break;
                    default:
                        h.seq.portNumberChanged(in.byte() % 20);
                        break;
                }
                break;
            default:
                // A stray byte between ticks, as line noise brings it.
                h.deliver(data + (op % (size > 0 ? size : 1)), size > 0 ? 1 : 0);
                break;
        }
        h.checkState();
    }
    return 0;
}
