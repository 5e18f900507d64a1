// The least a polling program can do: one window shown, Qt Serial Port at
// 9600 8N1, a 100 ms timer, a read-process request (0C 00 47) every 15 ticks
// or one tick after a frame, and a frame taken as complete when a tick finds
// the line quiet since the tick before. It shows nothing of what it
// receives. bench/perf/poll_cpu.py runs it beside the tool as the baseline
// of what polling itself costs.
//
//   bxl-bare-poller DEVICE
#include <QApplication>
#include <QLabel>
#include <QSerialPort>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bxl-bare-poller DEVICE\n");
        return 2;
    }
    QLabel window(QStringLiteral("Polling"));
    window.resize(712, 615);
    window.show();

    QSerialPort port(QString::fromLocal8Bit(argv[1]));
    port.setBaudRate(QSerialPort::Baud9600);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    if (!port.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "bxl-bare-poller: %s\n", qPrintable(port.errorString()));
        return 1;
    }

    int received = 0;   // bytes of the frame coming in
    int quiet = 0;      // 1 after a byte, 0 once a tick has passed without one
    int countdown = 0;  // ticks to the next request
    QObject::connect(&port, &QSerialPort::readyRead, [&] {
        received += static_cast<int>(port.readAll().size());
        quiet = 1;
    });
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (--countdown <= 0) {
            countdown = 15;
            received = 0;
            port.write("\x0C\x00\x47", 3);
        }
        if (quiet > 0) {
            --quiet;
        } else if (received >= 2) {
            received = 0;
            countdown = 1;
        }
    });
    timer.start(100);
    return app.exec();
}
