// Every serial port the system lists, in the order port numbers take them
// (ports with no device behind them last), with what the port dialog shows.
#pragma once

#include <string>
#include <vector>

#include "link/PortCatalog.h"

namespace bxl {

// `ownDevice` is the device the tool has open (shown as "this tool").
std::vector<PortEntry> listSerialPorts(const std::string& ownDevice);

}  // namespace bxl
