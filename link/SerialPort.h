// What the link needs of a serial port: a numbered port opened at 9600 8N1,
// single-byte writes and reads, and an event with the number of bytes
// waiting. The sequencer depends on this interface only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace bxl {

// Why a port is closed, in the few kinds an engineer acts on differently.
enum class PortProblem {
    None,        // open, or never asked to open
    NoDevice,    // nothing for this number, or its alias leads nowhere
    Permission,  // the user may not open the device
    InUse,       // another program holds it
    Lost,        // it failed while open (an adapter pulled out)
    Other,
};

// The problem in one or two words, for a small label beside the port state.
inline const char* shortReason(PortProblem problem) {
    switch (problem) {
        case PortProblem::NoDevice:
            return "no device";
        case PortProblem::Permission:
            return "no permission";
        case PortProblem::InUse:
            return "in use";
        case PortProblem::Lost:
            return "device lost";
        case PortProblem::Other:
            return "cannot open";
        case PortProblem::None:
            break;
    }
    return "";
}

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens (true) or closes (false) the port. Opening returns false when the
    // port cannot be opened; closing a closed port is harmless.
    virtual bool setOpen(bool open) = 0;
    // The port number (1..16) the next open uses.
    virtual void setComNumber(uint16_t number) = 0;
    virtual bool isOpen() const = 0;
    // Queues one byte; bytes go out in call order.
    virtual void putChar(uint8_t byte) = 0;
    // The next received byte, in arrival order.
    virtual uint8_t getChar() = 0;
    // Raised on the GUI thread when received bytes are waiting; the handler
    // reads exactly `count` bytes with getChar().
    virtual void setTriggerAvail(std::function<void(uint16_t count)> handler) = 0;
    // Human-readable note on the port: the device it resolved to, or why it
    // could not be opened. Shown as the port label's tooltip.
    virtual std::string describe() const { return {}; }
    // Why the port is closed: its kind and a sentence in words ("no device
    // for port 3", "permission denied: add your user to the dialout group",
    // "in use by another program"); None and empty while it is open.
    virtual PortProblem problem() const { return PortProblem::None; }
    virtual std::string reason() const { return {}; }
    // Opens again the device that was open when the port failed under the
    // tool (an adapter pulled out), if that same device is there again;
    // never another device. False when the port stays closed.
    virtual bool reopen() { return false; }
};

}  // namespace bxl
