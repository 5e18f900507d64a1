// What the port dialog lists about the system's serial ports, gathered from
// the file system: stable /dev/serial/by-id names, which program holds a
// device, and the writing of a port alias.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace bxl {

struct PortEntry {
    std::string name;         // ttyUSB0
    std::string device;       // /dev/ttyUSB0
    std::string byId;         // /dev/serial/by-id/usb-...; empty when none
    std::string description;  // what the driver calls it
    std::string manufacturer;
    std::string serialNumber;
    std::string inUse;      // "", "this tool" or "another program"
    bool noDevice = false;  // listed, but no device behind it
};

// The links in `byIdDir`, by the device they lead to (its canonical path).
std::map<std::string, std::string> stableNames(const std::string& byIdDir = "/dev/serial/by-id");

// Who holds `device` open: "this tool" when `ownDevice` is the same file,
// "another program" when a process visible under `procDir` has it open or a
// UUCP lock file for it is in one of `lockDirs`, else "".
std::string deviceHolder(const std::string& device, const std::string& ownDevice,
                         const std::string& procDir = "/proc",
                         const std::vector<std::string>& lockDirs = {"/run/lock", "/var/lock"});

// Makes <aliasDir>/comN a symbolic link to `target`, creating the folder and
// replacing an earlier link (never a file that is not a link). Empty on
// success, else what went wrong.
std::string writePortAlias(const std::string& aliasDir, int number, const std::string& target);

}  // namespace bxl
