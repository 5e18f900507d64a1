#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>

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

TEST(PortResolver, AdaptersFirstThenNameOrderWithNumbersByValue) {
    const auto ordered = orderPorts({{"ttyS1", "/dev/ttyS1"},
                                     {"ttyUSB10", "/dev/ttyUSB10"},
                                     {"ttyS0", "/dev/ttyS0"},
                                     {"ttyACM0", "/dev/ttyACM0"},
                                     {"ttyUSB2", "/dev/ttyUSB2"},
                                     {"ttyS10", "/dev/ttyS10"}});
    std::vector<std::string> names;
    for (const auto& p : ordered) names.push_back(p.name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"ttyACM0", "ttyUSB2", "ttyUSB10", "ttyS0", "ttyS1", "ttyS10"}));

    // Names that differ only in a long number, or not at all.
    const auto many =
        orderPorts({{"ttyS100", ""}, {"ttyS99", ""}, {"ttyS9", ""}, {"rfcomm0", ""}, {"ttyS9", "2"}});
    names.clear();
    for (const auto& p : many) names.push_back(p.name + p.location);
    EXPECT_EQ(names, (std::vector<std::string>{"rfcomm0", "ttyS9", "ttyS92", "ttyS99", "ttyS100"}));
}

TEST(PortResolver, AliasWinsOverListEvenWhenDangling) {
    QTemporaryDir tmp;
    const std::string dir = tmp.path().toStdString();
    std::filesystem::create_symlink("/nonexistent/ttyUSB9", dir + "/com2");
    const std::vector<ListedPort> listed{{"ttyS0", "/dev/ttyS0"}, {"ttyUSB0", "/dev/ttyUSB0"}};

    const auto viaAlias = resolvePort(2, dir, &pathOrLinkExists, listed);
    EXPECT_EQ(viaAlias.device, dir + "/com2");
    EXPECT_NE(viaAlias.via.find("alias"), std::string::npos);

    EXPECT_EQ(resolvePort(1, dir, &pathOrLinkExists, listed).device, "/dev/ttyUSB0");
    EXPECT_EQ(resolvePort(1, "", &pathOrLinkExists, listed).device, "/dev/ttyUSB0");
    EXPECT_EQ(resolvePort(3, dir, &pathOrLinkExists, listed).device, "");
}
