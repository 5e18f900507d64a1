#include "tests/support/FakePort.h"

#include <stdexcept>

namespace bxl::test {

bool FakePort::setOpen(bool open) {
    calls.push_back(open ? "open" : "close");
    if (open && throwOnOpen) throw std::runtime_error("no such port");
    open_ = open && present;
    return open_ == open;
}

void FakePort::setComNumber(uint16_t n) {
    calls.push_back("com" + std::to_string(n));
    number = n;
}

uint8_t FakePort::getChar() {
    if (incoming.empty()) return 0;
    const uint8_t b = incoming.front();
    incoming.pop_front();
    return b;
}

bool FakePort::reopen() {
    ++reopens;
    open_ = present;
    return open_;
}

Frame FakePort::take() {
    Frame f = std::move(written);
    written.clear();
    return f;
}

void FakePort::deliver(const Frame& bytes) {
    incoming.insert(incoming.end(), bytes.begin(), bytes.end());
    if (trigger_) trigger_(static_cast<uint16_t>(bytes.size()));
}

}  // namespace bxl::test
