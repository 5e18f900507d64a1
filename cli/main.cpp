// bxl-cli: the Control Center's link and files from a shell, for scripted
// backups, recordings on headless machines and file conversions. A second
// program beside the windowed tool; it uses Qt Core and Qt Serial Port only.
#include <QCoreApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/UnitLink.h"

int main(int argc, char** argv) {
    using namespace bxl::cli;
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const Parsed parsed = parseArguments(args);
    if (parsed.options.help) {
        std::fputs(helpText(parsed.options.command).c_str(), stdout);
        return kExitOk;
    }
    if (!parsed.error.empty()) {
        const char* command = commandName(parsed.options.command);
        std::fprintf(stderr, "bxl-cli: %s (see bxl-cli %s%s--help)\n", parsed.error.c_str(), command,
                     *command ? " " : "");
        return kExitUsage;
    }
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("bxl-cli"));
    installInterruptHandler();
    return runCommand(parsed.options);
}
