#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/Arguments.h"

using namespace bxl::cli;

TEST(Duration, UnitsAndLimits) {
    struct Case {
        const char* text;
        long seconds;  // 0: refused
    } cases[] = {
        {"90s", 90},          {"20m", 1200}, {"8h", 28800},    {"1h30m", 5400}, {"45", 45}, {"1m30s", 90},
        {"744h", 744 * 3600},  // 31 days
        {"745h", 0},          {"0s", 0},     {"", 0},          {"s", 0},        {"10x", 0}, {"-5s", 0},
        {"1h30", 0},          {"1.5h", 0},   {"99999999s", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(parseDuration(c.text).value_or(0), c.seconds) << c.text;
    EXPECT_EQ(durationText(65), "1:05");
    EXPECT_EQ(durationText(3725), "1:02:05");
    EXPECT_EQ(durationText(0), "0:00");
}

TEST(Arguments, CommandsWithTheirOptions) {
    Parsed p = parseArguments({"--port", "3", "--timeout", "2.5", "get", "-o", "unit.ctl"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.command, Command::Get);
    EXPECT_EQ(p.options.port, 3);
    EXPECT_DOUBLE_EQ(p.options.timeoutSeconds, 2.5);
    EXPECT_EQ(p.options.output, "unit.ctl");

    // Link options also after the command, and with "=".
    p = parseArguments({"send", "new.ctl", "--yes", "--device=/dev/ttyUSB0"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.command, Command::Send);
    EXPECT_EQ(p.options.files, std::vector<std::string>{"new.ctl"});
    EXPECT_TRUE(p.options.yes);
    EXPECT_EQ(p.options.device, "/dev/ttyUSB0");

    p = parseArguments({"record", "--interval", "2", "--duration", "20m", "-o", "night.LOG"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.interval, 2);
    EXPECT_EQ(p.options.durationSeconds, 1200);

    p = parseArguments({"record", "--duration", "8h", "--output", "night.LOG"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.interval, 10);  // the log window's default

    p = parseArguments({"diff", "unit", "backup.ctl"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.files.size(), 2u);

    p = parseArguments({"watch", "--count", "5"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.count, 5);
    EXPECT_EQ(p.options.port, 1);
    EXPECT_DOUBLE_EQ(p.options.timeoutSeconds, 10);

    p = parseArguments({"log2csv", "a.LOG"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.output, "");
}

TEST(Arguments, HelpWinsOverMissingParts) {
    Parsed p = parseArguments({"send", "--help"});
    EXPECT_TRUE(p.options.help);
    EXPECT_EQ(p.options.command, Command::Send);
    EXPECT_NE(helpText(Command::Send).find("--yes"), std::string::npos);
    p = parseArguments({"-h"});
    EXPECT_TRUE(p.options.help);
    const std::string all = helpText(Command::None);
    for (const char* name : {"get", "export", "send", "watch", "record", "diff", "log2csv"})
        EXPECT_NE(all.find(std::string("  ") + name + " "), std::string::npos) << name;
}

TEST(Arguments, MistakesAreNamed) {
    struct Case {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{}, "no command"},
        {{"fetch"}, "unknown command \"fetch\""},
        {{"get"}, "get needs -o FILE"},
        {{"get", "-o"}, "-o needs a file name"},
        {{"get", "-o", "a", "b"}, "not also \"b\""},
        {{"--port", "17", "get", "-o", "a"}, "--port takes a number from 1 to 16"},
        {{"--port", "x", "get", "-o", "a"}, "not \"x\""},
        {{"--port", "2", "--device", "/dev/ttyS0", "watch"}, "not both"},
        {{"--timeout", "0", "watch"}, "--timeout"},
        {{"--timeout", "nan", "watch"}, "--timeout"},
        {{"send"}, "send needs one controls file"},
        {{"get", "-o", "a", "--yes"}, "get takes no --yes"},
        {{"watch", "--count", "0"}, "--count"},
        {{"record", "--duration", "1m"}, "record needs -o FILE"},
        {{"record", "-o", "a"}, "record needs --duration"},
        {{"record", "--interval", "1", "--duration", "1m", "-o", "a"},
         "--interval takes whole seconds from 2 to 60"},
        {{"record", "--interval", "61", "--duration", "1m", "-o", "a"}, "2 to 60"},
        {{"record", "--duration", "soon", "-o", "a"}, "90s, 20m, 8h"},
        {{"watch", "--duration", "1m"}, "watch takes no --duration"},
        {{"diff", "a"}, "diff needs two controls files"},
        {{"log2csv", "a", "b"}, "not also \"b\""},
        {{"watch", "--verbose"}, "unknown option --verbose"},
    };
    for (const Case& c : cases) {
        const Parsed p = parseArguments(c.args);
        EXPECT_NE(p.error.find(c.says), std::string::npos) << "got \"" << p.error << "\" for " << c.says;
    }
}
