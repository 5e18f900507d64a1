// The transfer sequencer: polls the unit's process values, carries out "Get"
// and "Send", detects the end of each incoming frame, applies replies to the
// value store and watches the connection. Driven by explicit calls: one tick
// every 100 ms, the bytes-available event and the buttons.
#pragma once

#include <cstdint>

#include "link/LinkView.h"
#include "link/SerialPort.h"
#include "model/ValueStore.h"

namespace bxl {

class Sequencer {
public:
    Sequencer(ValueStore& store, SerialPort& port, LinkView& view);

    void tick();                          // Timer1Timer
    void bytesAvailable(uint16_t count);  // ApdComPort1TriggerAvail
    void get();                           // BitBtnHaalClick
    void send();                          // BitBtnZendClick, after the user said OK
    void portNumberChanged(int number);   // EditComNrChange
    void shutdown();                      // FormClose: closes the port

    int linkState() const { return linkState_; }

private:
    ValueStore& store_;
    SerialPort& port_;
    LinkView& view_;
    int32_t linkState_ = 0;
};

}  // namespace bxl
