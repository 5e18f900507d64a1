// The unit's link for the command-line tool: the Control Center's own
// sequencer and serial adapter, driven by a 100 ms timer as the main window
// drives them, so the frames and their timing on the wire are the same. This
// class stands where the main window stands: it is the sequencer's view,
// and it presses "Get" and "Send" when a command asks for them.
#pragma once

#include <QTimer>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/QtSerialPortAdapter.h"
#include "link/Sequencer.h"
#include "model/ControlsFile.h"
#include "model/ValueStore.h"

namespace bxl::cli {

// Ctrl+C and SIGTERM become a flag the event loop sees; the program ends
// its work cleanly instead of dying mid-write.
void installInterruptHandler();
bool interrupted();

// The port as the sequencer sees it, keeping the bytes of the last frame
// received: the bytes read since the last bytes sent.
class TappedPort : public SerialPort {
public:
    explicit TappedPort(SerialPort& port) : port_(port) {}
    bool setOpen(bool open) override { return port_.setOpen(open); }
    void setComNumber(uint16_t number) override { port_.setComNumber(number); }
    bool isOpen() const override { return port_.isOpen(); }
    void putChar(uint8_t byte) override {
        if (reading_) received_.clear();
        reading_ = false;
        port_.putChar(byte);
    }
    uint8_t getChar() override {
        const uint8_t byte = port_.getChar();
        if (received_.size() < 800) received_.push_back(byte);
        reading_ = true;
        return byte;
    }
    void setTriggerAvail(std::function<void(uint16_t)> handler) override {
        port_.setTriggerAvail(std::move(handler));
    }
    std::string describe() const override { return port_.describe(); }
    bool reopen() override { return port_.reopen(); }
    const std::vector<uint8_t>& received() const { return received_; }

private:
    SerialPort& port_;
    std::vector<uint8_t> received_;
    bool reading_ = false;
};

class UnitLink : public LinkView {
public:
    enum class Wait { Done, TimedOut, Interrupted };

    // port 1..16, or a device path when not empty.
    UnitLink(ValueStore& store, int port, std::string device, double timeoutSeconds);
    ~UnitLink() override;

    // Opens the port and starts the timer; false with a reason when the port
    // cannot be opened.
    bool open(std::string& error);
    // Stops the timer and closes the port; nothing more goes out.
    void close();

    // Runs the event loop until done() holds, the wait passes (the timeout
    // when seconds is negative), or an interrupt arrives.
    Wait runUntil(const std::function<bool()>& done, double seconds = -1);

    // Waits for the first valid frame: the unit answers.
    Wait waitAlive();
    // Reads the controls block ("Get"), asking again when a reply is lost,
    // until it arrives or the timeout passes.
    Wait readControls();
    // Writes the store's current controls ("Send") and waits for the echo.
    enum class Echo { Confirmed, Differs, NoEcho, Interrupted };
    Echo writeControls();
    // The controls the unit echoed after a write it did not confirm.
    const std::optional<ControlsBlock>& differingEcho() const { return echo_; }

    // "port 1" or the device path, for messages.
    std::string portName() const;
    std::string portNote() const { return port_.describe(); }
    double timeoutSeconds() const { return timeout_; }

    int processReplies() const { return processReplies_; }
    int controlsReplies() const { return controlsReplies_; }
    // True while the connection watchdog has run out.
    bool connectionLost() const { return lost_; }

    // Called after every process reply has been applied to the store.
    std::function<void()> onProcessReply;
    // Called when the connection is declared lost and when a reply comes back.
    std::function<void(bool lost)> onConnectionChange;

    // LinkView
    void showPortOpen(bool open) override;
    void showReceiveCount(int count) override;
    void showStatus(const std::string& text, Rgb colour) override;
    void enableTransferButtons(bool enabled) override;
    void refreshAllBindings() override;
    void closeEditor() override;
    void liveOverviewRefresh() override;

private:
    ValueStore& store_;
    int portNumber_;
    std::string device_;
    double timeout_;
    QtSerialPortAdapter port_;
    TappedPort tap_{port_};
    Sequencer sequencer_;
    QTimer timer_;
    bool buttons_ = false;
    bool lost_ = false;
    bool writeSent_ = false;
    bool wrongData_ = false;
    int processReplies_ = 0;
    int controlsReplies_ = 0;
    std::optional<ControlsBlock> echo_;
};

}  // namespace bxl::cli
