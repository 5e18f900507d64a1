#include "link/SerialPortList.h"

#include <QSerialPortInfo>

#include "link/PortResolver.h"

namespace bxl {

std::vector<PortEntry> listSerialPorts(const std::string& ownDevice) {
    std::vector<ListedPort> listed;
    std::vector<PortEntry> entries;
    const auto byId = stableNames();
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        PortEntry e;
        e.name = info.portName().toStdString();
        e.device = info.systemLocation().toStdString();
        e.description = info.description().toStdString();
        e.manufacturer = info.manufacturer().toStdString();
        e.serialNumber = info.serialNumber().toStdString();
        e.noDevice = legacyPortWithoutDevice(e.name);
        if (const auto it = byId.find(e.device); it != byId.end()) e.byId = it->second;
        if (!e.noDevice) e.inUse = deviceHolder(e.device, ownDevice);
        listed.push_back({e.name, e.device, e.noDevice});
        entries.push_back(std::move(e));
    }
    // The order of the port numbers, then the ports that take none.
    std::vector<PortEntry> ordered;
    for (const ListedPort& p : orderPorts(listed))
        for (const PortEntry& e : entries)
            if (e.device == p.location && e.name == p.name) ordered.push_back(e);
    for (const PortEntry& e : entries)
        if (e.noDevice) ordered.push_back(e);
    return ordered;
}

}  // namespace bxl
