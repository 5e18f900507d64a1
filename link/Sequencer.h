// The transfer sequencer: polls the unit's process values, carries out "Get"
// and "Send", detects the end of each incoming frame, applies replies to the
// value store and watches the connection. Driven by explicit calls: one tick
// every 100 ms, the bytes-available event and the buttons.
#pragma once

#include <cstdint>

#include "link/Frames.h"
#include "link/LinkObserver.h"
#include "link/LinkView.h"
#include "link/SerialPort.h"
#include "model/ValueStore.h"

namespace bxl {

class SettingsHistory;

// What the next request slot does.
enum LinkState : int32_t {
    kLinkReadProcess = 0,
    kLinkReadControls = 1,
    kLinkWriteControls = 2,
    kLinkSecondWrite = 3,
};

inline constexpr int32_t kRequestPeriodTicks = 15;
inline constexpr int32_t kWatchdogTicks = 50;
inline constexpr int32_t kWatchdogFloorTicks = 10;
// While the chosen port is closed, the tick tries it again this often: a port
// that failed under the tool is asked for the same device again, any other is
// resolved and opened anew (an adapter plugged in after start).
inline constexpr int32_t kReopenTicks = 20;

inline constexpr Rgb kStatusBlue{0, 0, 255};
inline constexpr Rgb kStatusMagenta{255, 0, 255};
inline constexpr Rgb kStatusBlack{0, 0, 0};
inline constexpr Rgb kStatusRed{255, 0, 0};

inline constexpr const char* kTextReadingProcess = "Reading process from Brisaval XL...";
inline constexpr const char* kTextReadingControls = "Reading controls from Brisaval XL...";
inline constexpr const char* kTextWritingControls = "Writing controls to Brisaval XL...";
inline constexpr const char* kTextWritingControls2 = "Writing controls(2) to Brisaval XL...";
inline constexpr const char* kTextProcessReceived = "Process received from Brisaval XL";
inline constexpr const char* kTextControlsReceived = "Controls received from Brisaval XL";
inline constexpr const char* kTextWrongData = "!Wrong data in Brisaval XL!";
inline constexpr const char* kTextNoConnection = "No/broken connection";
inline constexpr const char* kTextOutOfRange = "!Value out of range, not sent!";

class Sequencer {
public:
    Sequencer(ValueStore& store, SerialPort& port, LinkView& view);

    void tick();                          // Timer1Timer
    void bytesAvailable(uint16_t count);  // ApdComPort1TriggerAvail
    void get();                           // BitBtnHaalClick
    void send();                          // BitBtnZendClick, after the user said OK
    void portNumberChanged(int number);   // EditComNrChange
    void shutdown();                      // FormClose: closes the port

    // Where every controls block read from the unit, and the unit's
    // controls just before each write of the controls, are kept; none: not
    // kept. Keeping never holds up or changes a transfer.
    void setHistory(SettingsHistory* history) { history_ = history; }

    int linkState() const { return linkState_; }
    int32_t requestCountdown() const { return requestCountdown_; }
    int32_t watchdog() const { return watchdog_; }
    int32_t quietCounter() const { return quietCounter_; }
    int receiveCount() const { return receiveBuffer_.count(); }
    // A watcher of the line (the link monitor), or none; it is only told.
    void setObserver(LinkObserver* observer) { observer_ = observer; }
    bool reopenArmed() const { return reopenArmed_; }

private:
    void retryClosedPort();
    void requestSlot();
    void handleFrame();
    void applyProcessReply();
    void applyControlsReply();
    void checkWriteEcho();
    void sendFrame(const Frame& frame);
    void showStatus(const char* text, Rgb colour);

    ValueStore& store_;
    SerialPort& port_;
    LinkView& view_;
    SettingsHistory* history_ = nullptr;
    int32_t linkState_ = kLinkReadProcess;
    int32_t requestCountdown_ = 0;
    int32_t watchdog_ = 0;
    int32_t quietCounter_ = 0;
    // Set while the port the user chose has been seen open; cleared by a
    // port-number change and by shutdown. Such a port is only ever given
    // its own device back, never another one.
    bool reopenArmed_ = false;
    // Set by a port-number change, cleared by shutdown: a closed port is
    // tried again only while the user has one chosen.
    bool portChosen_ = false;
    // False right after a frame was handled: the request that follows it
    // does not raise the watchdog to its floor.
    bool watchdogFloorDue_ = true;
    int32_t reopenCountdown_ = 0;
    ReceiveBuffer receiveBuffer_;
    LinkObserver* observer_ = nullptr;
    // A request went out and no frame has been handled since.
    bool awaitingAnswer_ = false;
};

}  // namespace bxl
