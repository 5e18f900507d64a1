#include "cli/UnitLink.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSocketNotifier>
#include <csignal>

namespace bxl::cli {

namespace {

volatile std::sig_atomic_t gInterrupted = 0;
int gWakeFds[2] = {-1, -1};

void onSignal(int) {
    gInterrupted = 1;
    if (gWakeFds[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(gWakeFds[1], &byte, 1);
    }
}

}  // namespace

void installInterruptHandler() {
    // A write to a closed pipe (watch | head) reports an error instead of
    // ending the program before the port is closed.
    std::signal(SIGPIPE, SIG_IGN);
    if (::pipe2(gWakeFds, O_CLOEXEC | O_NONBLOCK) != 0) gWakeFds[0] = gWakeFds[1] = -1;
    struct sigaction action {};
    action.sa_handler = onSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
    if (gWakeFds[0] >= 0 && QCoreApplication::instance()) {
        // Wakes the event loop; the flag itself is already set.
        auto* notifier =
            new QSocketNotifier(gWakeFds[0], QSocketNotifier::Read, QCoreApplication::instance());
        QObject::connect(notifier, &QSocketNotifier::activated, [] {
            char buffer[16];
            while (::read(gWakeFds[0], buffer, sizeof buffer) > 0) {
            }
        });
    }
}

bool interrupted() {
    return gInterrupted != 0;
}

UnitLink::UnitLink(ValueStore& store, int port, std::string device, double timeoutSeconds)
    : store_(store),
      portNumber_(port),
      device_(std::move(device)),
      timeout_(timeoutSeconds),
      sequencer_(store, tap_, *this) {
    // As when the main window is shown: nothing on screen is confirmed yet.
    store_.setOffline(1);
    port_.setDevicePath(device_);
    port_.setTriggerAvail([this](uint16_t count) { sequencer_.bytesAvailable(count); });
    timer_.setTimerType(Qt::CoarseTimer);
    timer_.setInterval(100);
    QObject::connect(&timer_, &QTimer::timeout, [this] { sequencer_.tick(); });
}

UnitLink::~UnitLink() {
    close();
    port_.setTriggerAvail({});
}

std::string UnitLink::portName() const {
    return device_.empty() ? "port " + std::to_string(portNumber_) : device_;
}

bool UnitLink::open(std::string& error) {
    sequencer_.portNumberChanged(portNumber_);
    if (!port_.isOpen()) {
        error = "cannot open " + portName() + ": " + port_.describe();
        return false;
    }
    timer_.start();
    return true;
}

void UnitLink::close() {
    timer_.stop();
    sequencer_.shutdown();
}

UnitLink::Wait UnitLink::runUntil(const std::function<bool()>& done, double seconds) {
    const double limit = seconds < 0 ? timeout_ : seconds;
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (interrupted()) return Wait::Interrupted;
        if (static_cast<double>(clock.elapsed()) >= limit * 1000.0) return Wait::TimedOut;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return Wait::Done;
}

UnitLink::Wait UnitLink::waitAlive() {
    return runUntil([this] { return buttons_; });
}

UnitLink::Wait UnitLink::readControls() {
    const Wait alive = waitAlive();
    if (alive != Wait::Done) return alive;
    const int before = controlsReplies_;
    sequencer_.get();
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const double left = timeout_ - static_cast<double>(clock.elapsed()) / 1000.0;
        const Wait w = runUntil([&] { return controlsReplies_ > before || buttons_; }, left > 0 ? left : 0);
        if (w != Wait::Done) return w;
        if (controlsReplies_ > before) return Wait::Done;
        // A valid frame after the read-controls request enabled the buttons
        // without the controls: the reply was lost. Press "Get" again.
        sequencer_.get();
    }
}

UnitLink::Echo UnitLink::writeControls() {
    writeSent_ = false;
    wrongData_ = false;
    echo_.reset();
    sequencer_.send();
    auto confirmed = [this] {
        for (int i = 0; i < kControlsCount; ++i)
            if (store_.changed(kControlsFirst + i)) return false;
        return true;
    };
    Wait w = runUntil([this] { return writeSent_; });
    if (w == Wait::Done) w = runUntil([&] { return wrongData_ || confirmed(); });
    switch (w) {
        case Wait::Done:
            return wrongData_ ? Echo::Differs : Echo::Confirmed;
        case Wait::Interrupted:
            return Echo::Interrupted;
        case Wait::TimedOut:
            break;
    }
    return Echo::NoEcho;
}

void UnitLink::showPortOpen(bool) {}

void UnitLink::showReceiveCount(int) {}

void UnitLink::showStatus(const std::string& text, Rgb) {
    if (text == kTextControlsReceived) {
        ++controlsReplies_;
    } else if (text == kTextWritingControls) {
        writeSent_ = true;
    } else if (text == kTextWrongData) {
        wrongData_ = true;
        // Reported while the echo is handled: the tapped bytes are that frame.
        const std::vector<uint8_t>& frame = tap_.received();
        if (frame.size() == static_cast<std::size_t>(kBlockLength) && frame[0] == kCmdWriteEcho) {
            ControlsBlock echo{};
            for (int i = 0; i < kControlsCount; ++i)
                echo[static_cast<std::size_t>(i)] = blockValue(frame.data(), i);
            echo_ = echo;
        }
    } else if (text == kTextNoConnection && !lost_) {
        lost_ = true;
        if (onConnectionChange) onConnectionChange(true);
    }
}

void UnitLink::enableTransferButtons(bool enabled) {
    buttons_ = enabled;
}

void UnitLink::refreshAllBindings() {}

void UnitLink::closeEditor() {}

void UnitLink::liveOverviewRefresh() {
    ++processReplies_;
    if (lost_) {
        lost_ = false;
        if (onConnectionChange) onConnectionChange(false);
    }
    if (onProcessReply) onProcessReply();
}

}  // namespace bxl::cli
