// The log window: trend recorder and chart.
#pragma once

#include <QWidget>

#include "model/ValueStore.h"

class QAbstractButton;

class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(const bxl::ValueStore& store, QWidget* parent = nullptr);

    // 1 while the recorder records; read by the main window's close query.
    bool logActive() const { return logActive_ != 0; }
    // The main window's "Log" button, whose caption flashes while recording.
    void setLogButton(QAbstractButton* button) { logButton_ = button; }

private:
    const bxl::ValueStore& store_;
    QAbstractButton* logButton_ = nullptr;
    int logActive_ = 0;
};
