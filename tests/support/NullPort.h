// A port that never opens: for windows under test that need a port but
// must never talk to one.
#pragma once

#include "link/SerialPort.h"

namespace bxl {

class NullPort : public SerialPort {
public:
    bool setOpen(bool) override { return false; }
    void setComNumber(uint16_t) override {}
    bool isOpen() const override { return false; }
    void putChar(uint8_t) override {}
    uint8_t getChar() override { return 0; }
    void setTriggerAvail(std::function<void(uint16_t)>) override {}
};

}  // namespace bxl
