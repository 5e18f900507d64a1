// A serial port in memory for tests of the link: it records what is
// written and every open, close and port number, hands out the bytes a test
// puts in, and can refuse to open, throw, fail under the tool and come back.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "link/Frames.h"
#include "link/SerialPort.h"

namespace bxl::test {

class FakePort : public SerialPort {
public:
    // A port that is already open, or closed until the first setOpen(true).
    explicit FakePort(bool openAtStart = false) : open_(openAtStart) {}

    // Opening succeeds while `present`; throws while `throwOnOpen`.
    bool setOpen(bool open) override;
    void setComNumber(uint16_t number) override;
    bool isOpen() const override { return open_; }
    void putChar(uint8_t byte) override { written.push_back(byte); }
    // The next byte of `incoming`; 0 when there is none.
    uint8_t getChar() override;
    void setTriggerAvail(std::function<void(uint16_t)> handler) override { trigger_ = std::move(handler); }
    // Counts the request; the port opens again while `present`.
    bool reopen() override;
    PortProblem problem() const override { return open_ ? PortProblem::None : closedProblem; }
    std::string reason() const override { return open_ ? std::string() : closedReason; }

    // The device fails under the tool (an adapter pulled out).
    void fail() { open_ = false; }
    // Takes what was written since the last call.
    Frame take();
    // Queues bytes from the far end and raises the data-available event
    // with their count, as the adapter does.
    void deliver(const Frame& bytes);

    bool present = true;
    bool throwOnOpen = false;
    // What the port says while it is closed.
    PortProblem closedProblem = PortProblem::None;
    std::string closedReason;
    uint16_t number = 0;
    int reopens = 0;
    Frame written;
    std::deque<uint8_t> incoming;
    // "open", "close" and "comN" in call order.
    std::vector<std::string> calls;

private:
    bool open_;
    std::function<void(uint16_t)> trigger_;
};

}  // namespace bxl::test
