// The serial port over QSerialPort: 9600 baud, 8 data bits, no parity, one
// stop bit, no flow control. A port that fails while open (an adapter pulled
// out, the far end of a pseudo-terminal gone) is closed, never left hanging.
#pragma once

#include <QObject>
#include <QSerialPort>
#include <functional>
#include <string>

#include "link/SerialPort.h"

namespace bxl {

class QtSerialPortAdapter : public QObject, public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPortAdapter(QObject* parent = nullptr);
    ~QtSerialPortAdapter() override;

    bool setOpen(bool open) override;
    void setComNumber(uint16_t number) override;
    bool isOpen() const override;
    void putChar(uint8_t byte) override;
    uint8_t getChar() override;
    void setTriggerAvail(std::function<void(uint16_t count)> handler) override;
    std::string describe() const override;
    bool reopen() override;
    PortProblem problem() const override { return problem_; }
    std::string reason() const override { return reason_; }
    // The device the port has open now; empty while closed.
    std::string openDevice() const { return port_.isOpen() ? openDevice_ : std::string(); }

    uint16_t comNumber() const { return number_; }
    // Opens this device (a tty path) instead of resolving the port number;
    // empty to resolve the number again. The command-line tool's --device.
    void setDevicePath(std::string path) { devicePath_ = std::move(path); }

private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);
    std::string resolveDevice(std::string& via, std::string& alias) const;
    void setProblem(PortProblem problem, std::string reason);

    QSerialPort port_;
    uint16_t number_ = 0;
    std::function<void(uint16_t)> trigger_;
    std::string note_;
    PortProblem problem_ = PortProblem::None;
    std::string reason_;
    // The device a failed port had open; reopen() accepts only that one.
    std::string lostDevice_;
    std::string openDevice_;
    std::string devicePath_;
};

}  // namespace bxl
