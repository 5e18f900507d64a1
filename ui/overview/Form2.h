// The overview window: six schematic panels of the unit (three variants, each
// in two mirror-image orientations) with the live values written onto them.
#pragma once

#include <QWidget>
#include <array>

#include "model/ValueStore.h"
#include "model/overview/OverviewLogic.h"

class QLabel;
class QPushButton;

// A filled circle in green: the damper and wheel-running indicators.
class TShapeCircle : public QWidget {
    Q_OBJECT
public:
    explicit TShapeCircle(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The tag naming an optional temperature sensor (T6, T7) above its value. It
// shows and hides with the value label, which the live refresh hides while
// the sensor is not used, so the picture never names a sensor that is not
// there.
class TSensorTag : public QWidget {
    Q_OBJECT
public:
    TSensorTag(const QString& name, QLabel* value, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString name_;
    QLabel* value_;
};

// The components of one panel. Pointers are null where the panel's variant
// has no such component (the wheel on the plate exchanger panels, the bypass
// on the heat wheel panels).
struct OverviewPanel {
    QWidget* panel = nullptr;
    QLabel* image = nullptr;
    std::array<QLabel*, 7> t{};  // LabelT1..LabelT7
    QLabel* toeM3 = nullptr;
    QLabel* afM3 = nullptr;
    QLabel* toePerc = nullptr;
    QLabel* afPerc = nullptr;
    QLabel* heatWheel = nullptr;
    QLabel* bypass = nullptr;
    QLabel* verwKlep = nullptr;
    QLabel* koelKlep = nullptr;
    QLabel* vorst = nullptr;
    QLabel* vorstT2 = nullptr;
    QLabel* fire = nullptr;
    QLabel* recupFrost = nullptr;
    QLabel* pSupply = nullptr;   // LabelPSupply_n, numbered on their own
    QLabel* pExhaust = nullptr;  // LabelPExhaust_n
    TShapeCircle* afVoerKlep = nullptr;
    TShapeCircle* toeVoerKlep = nullptr;
    TShapeCircle* wwRun = nullptr;
    std::array<TSensorTag*, 2> sensorTags{};  // T6, T7
};

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    // The main window's "Overview" button: hide when visible, otherwise show
    // the panel that matches the unit's settings.
    void toggleAndSelect(const bxl::ValueStore& store);

    // "Left <-> Right": shows the other orientation of the unit.
    void BitBtnLiReClick();

    // Panel p (bxl::overview::PanelId order) and its components.
    const OverviewPanel& panel(int p) const { return panels_[static_cast<std::size_t>(p)]; }

    // The panels' own visibility flags, independent of the window's.
    bxl::overview::PanelVisibility panelVisibility() const;

private:
    void applyPanelVisibility(const bxl::overview::PanelVisibility& v);

    QPushButton* bitBtnLiRe_ = nullptr;
    std::array<OverviewPanel, bxl::overview::kPanelCount> panels_{};
};
