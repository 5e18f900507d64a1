// The overview window: six schematic panels of the unit (three variants, each
// in two mirror-image orientations) with the live values written onto them.
#pragma once

#include <QImage>
#include <QWidget>
#include <array>

#include "model/ValueStore.h"
#include "model/overview/OverviewLogic.h"

class QLabel;
class QPushButton;

namespace bxl::ui {

// A filled circle in green: the damper and wheel-running indicators.
class CircleShape : public QWidget {
    Q_OBJECT
public:
    explicit CircleShape(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The tag naming an optional temperature sensor (T6, T7) above its value. It
// shows and hides with the value label, which the live refresh hides while
// the sensor is not used, so the picture never names a sensor that is not
// there.
class SensorTag : public QWidget {
    Q_OBJECT
public:
    SensorTag(const QString& name, QLabel* value, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString name_;
    QLabel* value_;
};

}  // namespace bxl::ui

// The components of one panel, each named for what it shows, with its
// component name (and the suffix of the panel) beside it. Pointers are null
// where the panel's variant has no such component (the wheel on the plate
// exchanger panels, the bypass on the heat wheel panels).
struct OverviewPanel {
    QWidget* panel = nullptr;                         // PanelWWLi ... PanelMarvek2
    QLabel* image = nullptr;                          // Image1 ... Image6
    std::array<QLabel*, 7> t{};                       // LabelT1 ... LabelT7
    QLabel* supplyFlow = nullptr;                     // LabelToeM3
    QLabel* exhaustFlow = nullptr;                    // LabelAfM3
    QLabel* supplyFan = nullptr;                      // LabelToePerc
    QLabel* exhaustFan = nullptr;                     // LabelAfPerc
    QLabel* heatWheel = nullptr;                      // LabelHeatWheel
    QLabel* bypass = nullptr;                         // LabelBypass
    QLabel* heatingCoil = nullptr;                    // LabelVerwKlep
    QLabel* coolingCoil = nullptr;                    // LabelKoelKlep
    QLabel* frost = nullptr;                          // LabelVorst
    QLabel* frostT2 = nullptr;                        // LabelVorstT2
    QLabel* fire = nullptr;                           // LabelFIRE
    QLabel* exchangerFrost = nullptr;                 // LabelRecupFrost
    QLabel* supplyFilter = nullptr;                   // LabelPSupply_n, numbered on their own
    QLabel* exhaustFilter = nullptr;                  // LabelPExhaust_n
    bxl::ui::CircleShape* exhaustDamper = nullptr;    // ShapeAfVoerKlep
    bxl::ui::CircleShape* supplyDamper = nullptr;     // ShapeToeVoerKlep
    bxl::ui::CircleShape* wheelRunning = nullptr;     // ShapeWWRun
    std::array<bxl::ui::SensorTag*, 2> sensorTags{};  // TagT6, TagT7
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

    // The panel the "Overview" button would show for these settings, in the
    // orientation chosen with "Left <-> Right", drawn with its labels as
    // they stand, `scale` device pixels for each pixel of the window. The
    // window need not be shown, and nothing of it changes.
    QImage panelPicture(const bxl::ValueStore& store, qreal scale);

    // The panels' own visibility flags, independent of the window's.
    bxl::overview::PanelVisibility panelVisibility() const;

private:
    void applyPanelVisibility(const bxl::overview::PanelVisibility& v);

    QPushButton* flipButton_ = nullptr;  // BitBtnLiRe
    std::array<OverviewPanel, bxl::overview::kPanelCount> panels_{};
};
