#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "link/PortCatalog.h"
#include "link/PortResolver.h"

using namespace bxl;

TEST(PortResolver, AliasDirectory) {
    EXPECT_EQ(portAliasDir("/x/data", "/home/u"), "/x/data/brisaval-xl/ports");
    EXPECT_EQ(portAliasDir("", "/home/u"), "/home/u/.local/share/brisaval-xl/ports");
    EXPECT_EQ(portAliasDir("relative", "/home/u"), "/home/u/.local/share/brisaval-xl/ports");
    EXPECT_EQ(portAliasDir("", ""), "");
    EXPECT_EQ(portAliasPath("/x/data/brisaval-xl/ports", 12), "/x/data/brisaval-xl/ports/com12");
    EXPECT_EQ(portAliasPath("", 1), "") << "no folder, no alias";
}

// What port 1, 2, ... stand for, for device lists a PC may have: USB serial
// adapters first, then ACM devices (a modem, a board), then the rest, each in
// name order with numbers by value; legacy ports with nothing behind them
// never take a number.
TEST(PortResolver, ResolutionOrderForDeviceLists) {
    const ListedPort ttyS0{"ttyS0", "/dev/ttyS0"}, ttyS1{"ttyS1", "/dev/ttyS1"};
    const ListedPort emptyS0{"ttyS0", "/dev/ttyS0", true}, emptyS1{"ttyS1", "/dev/ttyS1", true};
    const ListedPort usb0{"ttyUSB0", "/dev/ttyUSB0"}, usb2{"ttyUSB2", "/dev/ttyUSB2"},
        usb10{"ttyUSB10", "/dev/ttyUSB10"};
    const ListedPort acm0{"ttyACM0", "/dev/ttyACM0"}, rfcomm{"rfcomm0", "/dev/rfcomm0"};
    const struct {
        const char* pc;
        std::vector<ListedPort> listed;
        std::vector<std::string> ports;  // port 1, 2, ...
    } cases[] = {
        {"laptop with a modem and an adapter", {acm0, usb0}, {"ttyUSB0", "ttyACM0"}},
        {"desktop with two empty legacy ports", {emptyS0, emptyS1, usb0}, {"ttyUSB0"}},
        {"only empty legacy ports", {emptyS1, emptyS0}, {}},
        {"a real legacy port comes after the adapters",
         {ttyS0, emptyS1, acm0, usb0},
         {"ttyUSB0", "ttyACM0", "ttyS0"}},
        {"numbers by value",
         {usb10, ttyS1, usb2, usb0, ttyS0},
         {"ttyUSB0", "ttyUSB2", "ttyUSB10", "ttyS0", "ttyS1"}},
        {"others in name order", {ttyS1, rfcomm, ttyS0}, {"rfcomm0", "ttyS0", "ttyS1"}},
        {"nothing listed", {}, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> names;
        for (const auto& p : orderPorts(c.listed)) names.push_back(p.name);
        EXPECT_EQ(names, c.ports) << c.pc;
        for (std::size_t n = 1; n <= c.ports.size() + 1; ++n) {
            const auto r = resolvePort(static_cast<int>(n), "", &pathOrLinkExists, c.listed);
            EXPECT_EQ(r.device, n <= c.ports.size() ? "/dev/" + c.ports[n - 1] : "")
                << c.pc << ", port " << n;
        }
    }

    // Names that differ only in a long number, or not at all, keep a stable
    // order.
    std::vector<std::string> names;
    for (const auto& p :
         orderPorts({{"ttyS100", ""}, {"ttyS99", ""}, {"ttyS9", ""}, {"rfcomm0", ""}, {"ttyS9", "2"}}))
        names.push_back(p.name + p.location);
    EXPECT_EQ(names, (std::vector<std::string>{"rfcomm0", "ttyS9", "ttyS92", "ttyS99", "ttyS100"}));
}

// The system's word on a legacy port: its UART type, 0 when none is there.
TEST(PortResolver, LegacyPortWithoutDeviceFromTheSystemsType) {
    QTemporaryDir sys;
    const std::string root = sys.path().toStdString();
    const auto typeFile = [&](const std::string& name, const char* type) {
        std::filesystem::create_directories(root + "/" + name);
        std::ofstream(root + "/" + name + "/type") << type;
    };
    typeFile("ttyS0", "4\n");  // a 16550A
    typeFile("ttyS1", "0\n");  // nothing behind it
    typeFile("ttyUSB0", "0\n");
    std::filesystem::create_directories(root + "/ttyS2");  // no type to read
    EXPECT_FALSE(legacyPortWithoutDevice("ttyS0", root));
    EXPECT_TRUE(legacyPortWithoutDevice("ttyS1", root));
    EXPECT_FALSE(legacyPortWithoutDevice("ttyUSB0", root)) << "only legacy ports are judged";
    EXPECT_FALSE(legacyPortWithoutDevice("ttyS2", root));
    EXPECT_FALSE(legacyPortWithoutDevice("ttyS3", root));
}

TEST(PortResolver, AliasWinsOverListEvenWhenDangling) {
    QTemporaryDir tmp;
    const std::string dir = tmp.path().toStdString();
    std::filesystem::create_symlink("/nonexistent/ttyUSB9", dir + "/com2");
    const std::vector<ListedPort> listed{{"ttyS0", "/dev/ttyS0"}, {"ttyUSB0", "/dev/ttyUSB0"}};

    const auto viaAlias = resolvePort(2, dir, &pathOrLinkExists, listed);
    EXPECT_EQ(viaAlias.device, dir + "/com2");
    EXPECT_NE(viaAlias.via.find("alias"), std::string::npos);
    EXPECT_EQ(viaAlias.alias, dir + "/com2");
    EXPECT_EQ(linkTarget(viaAlias.alias), "/nonexistent/ttyUSB9") << "the device the alias names";

    EXPECT_EQ(resolvePort(1, dir, &pathOrLinkExists, listed).device, "/dev/ttyUSB0");
    EXPECT_EQ(resolvePort(1, "", &pathOrLinkExists, listed).device, "/dev/ttyUSB0");
    EXPECT_EQ(resolvePort(3, dir, &pathOrLinkExists, listed).device, "");
}

// Who holds a device: the tool itself, a process that has it open, or a
// program that left a lock file for it.
TEST(PortCatalog, DeviceHolder) {
    QTemporaryDir tmp;
    const std::string root = tmp.path().toStdString();
    namespace fs = std::filesystem;
    fs::create_directories(root + "/proc/4242/fd");
    fs::create_directories(root + "/proc/self-ish/fd");
    fs::create_directories(root + "/lock");
    fs::create_symlink("/dev/ttyUSB0", root + "/proc/4242/fd/5");
    fs::create_symlink("/dev/ttyUSB9", root + "/proc/self-ish/fd/5");  // not a process
    std::ofstream(root + "/lock/LCK..ttyACM0") << "  4243\n";
    const struct {
        const char* device;
        const char* own;
        const char* holder;
    } cases[] = {
        {"/dev/ttyUSB0", "", "another program"},
        {"/dev/ttyACM0", "", "another program"},
        {"/dev/ttyUSB1", "/dev/ttyUSB1", "this tool"},
        {"/dev/ttyUSB1", "", ""},
        {"/dev/ttyUSB9", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(deviceHolder(c.device, c.own, root + "/proc", {root + "/lock"}), c.holder) << c.device;
}
