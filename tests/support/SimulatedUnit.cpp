#include "tests/support/SimulatedUnit.h"

#include <QElapsedTimer>
#include <QProcessEnvironment>

#include "link/PortResolver.h"

namespace bxl::test {

PrivateDataHome::PrivateDataHome() {
    hadSaved_ = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    saved_ = qgetenv("XDG_DATA_HOME");
    if (dir_.isValid()) qputenv("XDG_DATA_HOME", dir_.path().toLocal8Bit());
}

PrivateDataHome::~PrivateDataHome() {
    if (hadSaved_)
        qputenv("XDG_DATA_HOME", saved_);
    else
        qunsetenv("XDG_DATA_HOME");
}

std::string PrivateDataHome::aliasPath(int number) const {
    return portAliasPath(portAliasDir(path().toStdString(), ""), number);
}

SimulatedUnit::SimulatedUnit(QString program) : program_(std::move(program)) {}

SimulatedUnit::~SimulatedUnit() {
    if (isRunning()) stop();
}

bool SimulatedUnit::start(const QString& dataHome, int number, const QStringList& options,
                          const QString& tracePath) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", dataHome);
    process_.setProcessEnvironment(env);
    QStringList arguments{"--port", QString::number(number)};
    if (!tracePath.isEmpty()) arguments << "--trace" << tracePath;
    printed_.clear();
    errors_.clear();
    servedUpTo_ = 0;
    problem_.clear();
    process_.start(program_, arguments + options);
    if (!process_.waitForStarted(3000)) {
        problem_ = program_ + " did not start: " + process_.errorString();
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 3000) {
        while (process_.canReadLine()) {
            printed_ += QString::fromLocal8Bit(process_.readLine());
            if (printed_.contains(QLatin1String("serving"))) {
                servedUpTo_ = static_cast<int>(printed_.size());
                return true;
            }
        }
        if (!process_.waitForReadyRead(100) && process_.state() == QProcess::NotRunning) break;
    }
    printed_ += QString::fromLocal8Bit(process_.readAllStandardOutput());
    errors_ += QString::fromLocal8Bit(process_.readAllStandardError());
    problem_ = "the simulated unit did not come up: " + printed_ + errors_;
    return false;
}

QString SimulatedUnit::stop() {
    if (isRunning()) {
        process_.terminate();
        process_.waitForFinished(3000);
    }
    printed_ += QString::fromLocal8Bit(process_.readAllStandardOutput());
    return printed_.mid(servedUpTo_).trimmed();
}

SimulatedUnit::Ending SimulatedUnit::waitForEnd(int ms) {
    Ending ending;
    if (isRunning() && !process_.waitForFinished(ms)) return ending;
    printed_ += QString::fromLocal8Bit(process_.readAllStandardOutput());
    ending.out = printed_;
    errors_ += QString::fromLocal8Bit(process_.readAllStandardError());
    ending.err = errors_;
    if (process_.exitStatus() == QProcess::NormalExit) ending.exitCode = process_.exitCode();
    return ending;
}

}  // namespace bxl::test
