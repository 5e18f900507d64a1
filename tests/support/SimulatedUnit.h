// bxl-unit-sim run by a test or benchmark: the simulated unit on a
// pseudo-terminal under the port alias comN, in a private XDG_DATA_HOME so
// that no real alias is touched.
//
//   PrivateDataHome home;                       // this process looks there too
//   SimulatedUnit unit;
//   ASSERT_TRUE(unit.start(home.path(), 1, {"--drop", "0.2"})) << unit.problem();
//   ... open port 1, run the link ...
//   const QString summary = unit.stop();        // the unit's summary line
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <string>

namespace bxl::test {

// A temporary folder set as this process's XDG_DATA_HOME while it lives (the
// previous value comes back), removed at the end with what is in it.
class PrivateDataHome {
public:
    PrivateDataHome();
    ~PrivateDataHome();
    PrivateDataHome(const PrivateDataHome&) = delete;
    PrivateDataHome& operator=(const PrivateDataHome&) = delete;

    bool isValid() const { return dir_.isValid(); }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    // The alias of port `number` inside it.
    std::string aliasPath(int number) const;
    // Leaves the folder behind, to look at its files after a failure.
    void keep() { dir_.setAutoRemove(false); }

private:
    QTemporaryDir dir_;
    QByteArray saved_;
    bool hadSaved_ = false;
};

class SimulatedUnit {
public:
    // The program built with the tests, or another one.
    explicit SimulatedUnit(QString program = QStringLiteral(BXL_UNIT_SIM));
    // Stops the unit if it still runs.
    ~SimulatedUnit();
    SimulatedUnit(const SimulatedUnit&) = delete;
    SimulatedUnit& operator=(const SimulatedUnit&) = delete;

    // Starts the unit on port `number` with its alias under `dataHome`, with
    // further options and, when `tracePath` is given, a trace of every
    // frame. True once the unit has said it is serving.
    bool start(const QString& dataHome, int number, const QStringList& options = {},
               const QString& tracePath = {});
    // Why start() failed, with what the unit printed.
    QString problem() const { return problem_; }

    // Stops the unit (as Ctrl+C does) and returns what it printed after it
    // said it was serving: its summary line.
    QString stop();

    // Waits for a unit that ends by itself (--close-after, or a refused
    // start): its exit code (-1 when it did not end in time or crashed) and
    // everything it printed.
    struct Ending {
        int exitCode = -1;
        QString out;
        QString err;
    };
    Ending waitForEnd(int ms = 5000);

    bool isRunning() const { return process_.state() != QProcess::NotRunning; }

private:
    QString program_;
    QProcess process_;
    QString printed_;  // stdout read so far
    QString errors_;   // stderr read so far
    int servedUpTo_ = 0;
    QString problem_;
};

}  // namespace bxl::test
