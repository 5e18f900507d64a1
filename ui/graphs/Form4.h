// The graphs window: one of four graphs, chosen with a tab strip, drawn from
// the current values and redrawn every 2 seconds while the window is shown.
#pragma once

#include <QWidget>
#include <memory>

#include "model/ValueStore.h"
#include "ui/graphs/Canvas.h"

class QTabBar;
class QTimer;

namespace bxl::graphs {
class GraphImageView;
}

class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(const bxl::ValueStore& store, QWidget* parent = nullptr);
    ~TForm4() override;

    // Selects a tab from the program; does not run the change handler.
    void selectTab(int index);
    int selectedTab() const;

    // First show creates the graph image; every show redraws at once.
    void FormShow();
    // The tab-change handler (also run by the main window's Graph button):
    // redraws the selected graph and restarts the 2 s interval. The
    // interval only runs while the window is visible.
    void TabControl1Change();
    void Timer1Timer();
    // Draws the selected tab's graph; nothing while the window is hidden.
    void RedrawSelectedGraph();

    // The graph image; null until the window was first shown.
    const QImage* graphImage() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    const bxl::ValueStore& store_;
    QTabBar* graphTabs_;                           // TabControl1
    bxl::graphs::GraphImageView* graphView_;       // Image1
    QTimer* redrawTimer_;                          // Timer1
    std::unique_ptr<bxl::graphs::Canvas> canvas_;  // created on first show
};
