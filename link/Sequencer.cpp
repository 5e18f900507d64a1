#include "link/Sequencer.h"

#include <exception>

#include "model/SettingsHistory.h"

namespace bxl {

Sequencer::Sequencer(ValueStore& store, SerialPort& port, LinkView& view)
    : store_(store), port_(port), view_(view) {}

void Sequencer::showStatus(const char* text, Rgb colour) {
    view_.showStatus(text, colour);
}

void Sequencer::sendFrame(const Frame& frame) {
    for (uint8_t b : frame) port_.putChar(b);
    awaitingAnswer_ = true;
    if (observer_ != nullptr) observer_->frameSent(frame);
}

void Sequencer::retryClosedPort() {
    if (port_.isOpen()) {
        reopenArmed_ = true;
        reopenCountdown_ = kReopenTicks;
        return;
    }
    if (!portChosen_ || --reopenCountdown_ > 0) return;
    reopenCountdown_ = kReopenTicks;
    // Failures are swallowed as for any open: the label keeps "Closed".
    try {
        if (reopenArmed_) {
            port_.reopen();
        } else {
            port_.setOpen(true);
        }
    } catch (const std::exception&) {
    }
    // A port found again is asked at once, in this tick's request slot,
    // rather than at the end of a request period.
    if (port_.isOpen()) requestCountdown_ = 1;
}

void Sequencer::tick() {
    retryClosedPort();
    view_.showPortOpen(port_.isOpen());
    view_.showReceiveCount(receiveBuffer_.count());

    if (watchdog_ > 0) {
        --watchdog_;
    } else {
        linkState_ = kLinkReadProcess;
        showStatus(kTextNoConnection, kStatusRed);
        view_.enableTransferButtons(false);
        if (store_.offline() == 0) {
            store_.setOffline(1);
            view_.refreshAllBindings();
        }
    }

    if (--requestCountdown_ <= 0) requestSlot();

    if (quietCounter_ > 0) {
        --quietCounter_;
        return;
    }
    if (receiveBuffer_.count() >= 2) {
        awaitingAnswer_ = false;
        if (observer_ != nullptr)
            observer_->frameReceived(receiveBuffer_.data(), receiveBuffer_.count(), receiveBuffer_.valid());
        handleFrame();
        receiveBuffer_.clear();
        requestCountdown_ = 1;
        // The quick follow-up request gives no new grace: a unit that answers
        // only with bad frames would otherwise keep the connection "alive"
        // for ever, its request slots raising the watchdog again and again.
        watchdogFloorDue_ = false;
    }
}

void Sequencer::requestSlot() {
    requestCountdown_ = kRequestPeriodTicks;
    if (observer_ != nullptr) {
        if (receiveBuffer_.count() > 0)
            observer_->pieceDropped(receiveBuffer_.data(), receiveBuffer_.count());
        if (awaitingAnswer_) observer_->requestUnanswered();
    }
    awaitingAnswer_ = false;
    receiveBuffer_.clear();
    if (watchdogFloorDue_ && watchdog_ < kWatchdogFloorTicks) watchdog_ = kWatchdogFloorTicks;
    watchdogFloorDue_ = true;
    if (!port_.isOpen()) return;

    switch (linkState_) {
        case kLinkReadProcess:
            showStatus(kTextReadingProcess, kStatusBlue);
            sendFrame(requestFrame(kCmdReadProcess));
            break;
        case kLinkReadControls:
            showStatus(kTextReadingControls, kStatusMagenta);
            sendFrame(requestFrame(kCmdReadControls));
            linkState_ = kLinkReadProcess;
            break;
        case kLinkWriteControls: {
            bool anyChanged = false;
            bool allFit = true;
            BlockValues values{};
            for (int i = 0; i < kControlsCount; ++i) {
                const int32_t v = store_.current(kControlsFirst + i);
                values[static_cast<std::size_t>(i)] = v;
                anyChanged = anyChanged || store_.changed(kControlsFirst + i);
                allFit = allFit && fitsOnWire(v);
            }
            linkState_ = kLinkSecondWrite;
            if (!anyChanged) {
                requestCountdown_ = 0;
            } else if (!allFit) {
                // A value the 16-bit wire would corrupt is never sent. The fields
                // keep their changed colours; the second write still follows,
                // one request period later so the message can be read.
                showStatus(kTextOutOfRange, kStatusRed);
            } else {
                showStatus(kTextWritingControls, kStatusMagenta);
                if (history_ != nullptr) {
                    // What the unit had, so that this write can be undone.
                    ControlsBlock unitControls{};
                    for (int i = 0; i < kControlsCount; ++i)
                        unitControls[static_cast<std::size_t>(i)] = store_.received(kControlsFirst + i);
                    history_->keep(unitControls, HistoryKind::BeforeSend);
                }
                sendFrame(blockFrame(kCmdWriteControls, values));
            }
            break;
        }
        case kLinkSecondWrite: {
            bool anyChanged = false;
            for (int i = 0; i < kProcessCount; ++i)
                anyChanged = anyChanged || store_.changed(kProcessFirst + i);
            linkState_ = kLinkReadProcess;
            if (!anyChanged) {
                requestCountdown_ = 0;
                break;
            }
            showStatus(kTextWritingControls2, kStatusMagenta);
            BlockValues values{};
            for (int i = 0; i < kProcessCount; ++i) {
                const int k = kProcessFirst + i;
                if (store_.pending(k) != 0) {
                    values[static_cast<std::size_t>(i)] = store_.current(k);
                    store_.setPending(k, 0);
                } else {
                    values[static_cast<std::size_t>(i)] = static_cast<int16_t>(kNoChangeMarker);
                }
            }
            sendFrame(blockFrame(kCmdSecondWrite, values));
            break;
        }
        default:
            linkState_ = kLinkReadProcess;
            break;
    }
}

void Sequencer::handleFrame() {
    if (!receiveBuffer_.valid()) return;
    watchdog_ = kWatchdogTicks;
    if (linkState_ == kLinkReadProcess) view_.enableTransferButtons(true);
    if (receiveBuffer_.count() != kBlockLength) return;
    switch (receiveBuffer_.command()) {
        case kCmdProcessReply:
            applyProcessReply();
            break;
        case kCmdControlsReply:
            applyControlsReply();
            break;
        case kCmdWriteEcho:
            checkWriteEcho();
            break;
        default:
            break;
    }
}

void Sequencer::applyProcessReply() {
    for (int k = 0; k < kProcessCount; ++k) {
        const int idx = kProcessFirst + k;
        const int32_t v = receiveBuffer_.value(k);
        store_.setReceived(idx, v);
        if (store_.pending(idx) == 0) {
            store_.setCurrent(idx, v);
        } else if (v == store_.current(idx)) {
            store_.setPending(idx, 0);
        }
    }
    showStatus(kTextProcessReceived, kStatusBlack);
    view_.refreshBindingsInView();
    view_.liveOverviewRefresh();
}

void Sequencer::applyControlsReply() {
    ControlsBlock unitControls{};
    for (int i = 0; i < kControlsCount; ++i) {
        const int32_t v = receiveBuffer_.value(i);
        store_.setCurrent(kControlsFirst + i, v);
        store_.setReceived(kControlsFirst + i, v);
        unitControls[static_cast<std::size_t>(i)] = v;
    }
    if (history_ != nullptr) history_->keep(unitControls, HistoryKind::Received);
    showStatus(kTextControlsReceived, kStatusBlack);
    store_.setOffline(0);
    view_.refreshAllBindings();
}

void Sequencer::checkWriteEcho() {
    for (int i = 0; i < kControlsCount; ++i) {
        const int idx = kControlsFirst + i;
        if (receiveBuffer_.value(i) != store_.current(idx)) {
            showStatus(kTextWrongData, kStatusRed);
            return;
        }
        store_.setReceived(idx, store_.current(idx));
        store_.setOffline(0);
    }
}

void Sequencer::bytesAvailable(uint16_t count) {
    for (uint16_t i = 0; i < count; ++i) receiveBuffer_.append(port_.getChar());
    if (count > 0) quietCounter_ = 1;
    view_.showReceiveCount(receiveBuffer_.count());
}

void Sequencer::get() {
    store_.clearAllPending();
    view_.closeEditor();
    linkState_ = kLinkReadControls;
    view_.enableTransferButtons(false);
}

void Sequencer::send() {
    view_.closeEditor();
    linkState_ = kLinkWriteControls;
    view_.enableTransferButtons(false);
}

void Sequencer::portNumberChanged(int number) {
    // Any failure leaves the port closed; the port label shows it from the
    // next tick on.
    reopenArmed_ = false;
    portChosen_ = true;
    reopenCountdown_ = kReopenTicks;
    try {
        port_.setOpen(false);
        port_.setComNumber(static_cast<uint16_t>(number < 1 ? 1 : number > 16 ? 16 : number));
        port_.setOpen(true);
    } catch (const std::exception&) {
    }
}

void Sequencer::shutdown() {
    reopenArmed_ = false;
    portChosen_ = false;
    try {
        port_.setOpen(false);
    } catch (const std::exception&) {
    }
}

}  // namespace bxl
