// The overview window: schematic panels of the unit with live values.
#pragma once

#include <QWidget>

#include "model/ValueStore.h"

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    // The main window's "Overview" button: hide when visible, otherwise show
    // the panel that matches the unit's settings.
    void toggleAndSelect(const bxl::ValueStore& store);
};
