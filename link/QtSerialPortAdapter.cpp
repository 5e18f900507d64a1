#include "link/QtSerialPortAdapter.h"

#include <unistd.h>  // access

#include <QSerialPortInfo>
#include <QtGlobal>
#include <algorithm>

#include "link/PortResolver.h"

namespace bxl {

QtSerialPortAdapter::QtSerialPortAdapter(QObject* parent) : QObject(parent) {
    port_.setReadBufferSize(4096);
    connect(&port_, &QSerialPort::readyRead, this, &QtSerialPortAdapter::onReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPortAdapter::onError);
}

QtSerialPortAdapter::~QtSerialPortAdapter() {
    if (port_.isOpen()) port_.close();
}

void QtSerialPortAdapter::setComNumber(uint16_t number) {
    number_ = number;
}

bool QtSerialPortAdapter::isOpen() const {
    return port_.isOpen();
}

namespace {

std::string resolveNumber(uint16_t number, std::string& via, std::string& alias) {
    alias.clear();
#ifdef Q_OS_WIN
    via.clear();
    return "COM" + std::to_string(number);
#else
    const std::string dir = portAliasDir();
    std::vector<ListedPort> listed;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const std::string name = info.portName().toStdString();
        listed.push_back({name, info.systemLocation().toStdString(), legacyPortWithoutDevice(name)});
    }
    const ResolvedPort r = resolvePort(number, dir, &pathOrLinkExists, listed);
    via = r.via;
    alias = r.alias;
    return r.device;
#endif
}

}  // namespace

std::string QtSerialPortAdapter::resolveDevice(std::string& via, std::string& alias) const {
    if (!devicePath_.empty()) {
        via.clear();
        alias.clear();
        return devicePath_;
    }
    return resolveNumber(number_, via, alias);
}

void QtSerialPortAdapter::setProblem(PortProblem problem, std::string reason) {
    problem_ = problem;
    reason_ = std::move(reason);
}

bool QtSerialPortAdapter::setOpen(bool open) {
    if (!open) {
        lostDevice_.clear();
        if (port_.isOpen()) port_.close();
        setProblem(PortProblem::None, {});
        return true;
    }
    if (port_.isOpen()) return true;
    const std::string com = devicePath_.empty() ? "COM" + std::to_string(number_) : "device";
    const std::string forPort = devicePath_.empty() ? "port " + std::to_string(number_) : devicePath_;
    std::string via;
    std::string alias;
    const std::string device = resolveDevice(via, alias);
    if (device.empty()) {
        note_ = com + ": no serial port found (no alias and fewer than " + std::to_string(number_) +
                " ports listed)";
        setProblem(PortProblem::NoDevice, "no device for " + forPort);
        return false;
    }
    // An alias is named by the device it points to, and the alias after it.
    const std::string target = alias.empty() ? std::string() : linkTarget(alias);
    const std::string shown = target.empty() ? device : target;
    const std::string where = com + " = " + shown + (via.empty() ? "" : " (" + via + ")");
    port_.setPortName(QString::fromStdString(device));
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        const auto error = port_.error();
        note_ = where + ": " + port_.errorString().toStdString();
        const bool present = ::access(device.c_str(), F_OK) == 0;
        const bool mayUse = ::access(device.c_str(), R_OK | W_OK) == 0;
        if (!present || error == QSerialPort::DeviceNotFoundError) {
            setProblem(PortProblem::NoDevice, "no device for " + forPort +
                                                  (target.empty() ? "" : ": its alias points to " + target));
        } else if (!mayUse) {
            setProblem(PortProblem::Permission, "permission denied: add your user to the dialout group");
            note_ +=
                " - add your user to the dialout group (sudo usermod -aG dialout $USER) and log in again";
        } else if (error == QSerialPort::PermissionError || error == QSerialPort::ResourceError) {
            // Readable and writable, yet refused: locked or held exclusively.
            setProblem(PortProblem::InUse, "in use by another program");
        } else {
            setProblem(PortProblem::Other, "cannot open " + shown + ": " + port_.errorString().toStdString());
        }
        port_.clearError();
        return false;
    }
    // The line settings are applied again on the open port; some drivers
    // only take them then.
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    note_ = where;
    openDevice_ = device;
    lostDevice_.clear();
    setProblem(PortProblem::None, {});
    return true;
}

bool QtSerialPortAdapter::reopen() {
    if (port_.isOpen()) return true;
    if (lostDevice_.empty()) return false;
    std::string via;
    std::string alias;
    if (resolveDevice(via, alias) != lostDevice_) return false;
    const std::string lost = lostDevice_;
    const std::string lostNote = note_;
    const std::string lostReason = reason_;
    if (setOpen(true)) return true;
    // Still gone or not usable yet: keep waiting for the same device.
    lostDevice_ = lost;
    note_ = lostNote;
    setProblem(PortProblem::Lost, lostReason);
    return false;
}

void QtSerialPortAdapter::putChar(uint8_t byte) {
    if (port_.isOpen()) port_.putChar(static_cast<char>(byte));
}

uint8_t QtSerialPortAdapter::getChar() {
    char c = 0;
    if (port_.isOpen() && port_.getChar(&c)) return static_cast<uint8_t>(c);
    return 0;
}

void QtSerialPortAdapter::setTriggerAvail(std::function<void(uint16_t count)> handler) {
    trigger_ = std::move(handler);
}

std::string QtSerialPortAdapter::describe() const {
    return note_;
}

void QtSerialPortAdapter::onReadyRead() {
    // Deliver everything waiting, in pieces a 16-bit count can carry.
    while (port_.isOpen()) {
        const qint64 waiting = port_.bytesAvailable();
        if (waiting <= 0) break;
        const auto count = static_cast<uint16_t>(std::min<qint64>(waiting, 65535));
        if (trigger_) {
            trigger_(count);
        } else {
            port_.read(count);
        }
        if (port_.isOpen() && port_.bytesAvailable() >= waiting) break;  // nothing taken: wait for more
    }
}

void QtSerialPortAdapter::onError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError) return;
    if (!port_.isOpen()) return;
    // Anything else while open means the device is gone or unusable: close
    // it so the label shows "Closed" and the watchdog takes over.
    note_ += " - lost: " + port_.errorString().toStdString();
    setProblem(PortProblem::Lost, "device lost: " + openDevice_ + " went away");
    lostDevice_ = openDevice_;
    port_.clearError();
    port_.close();
}

}  // namespace bxl
