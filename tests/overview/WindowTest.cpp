#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "ui/overview/Form2.h"

using namespace bxl::overview;

namespace {

const char* const kSuffix[] = {"", "_2", "_3", "_4", "_5", "_6"};
const char* const kPanels[] = {"PanelWWLi",   "PanelWWRe",    "PanelRecup1",
                               "PanelRecup2", "PanelMarvek1", "PanelMarvek2"};

QWidget* child(QWidget* parent, const QString& name) {
    return parent->findChild<QWidget*>(name);
}

}  // namespace

TEST(OverviewWindow, WindowButtonAndPanels) {
    TForm2 f;
    EXPECT_EQ(f.objectName(), "Form2");
    EXPECT_EQ(f.windowTitle(), "Overview");
    EXPECT_EQ(f.size(), QSize(901, 579));
    EXPECT_FALSE(f.isVisible());
    EXPECT_FALSE(f.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(f.windowFlags() & Qt::WindowMaximizeButtonHint);

    auto* liRe = f.findChild<QPushButton*>("BitBtnLiRe");
    ASSERT_NE(liRe, nullptr);
    EXPECT_EQ(liRe->text(), "Left <-> Right");
    EXPECT_EQ(liRe->geometry(), QRect(24, 0, 145, 33));

    for (int p = 0; p < kPanelCount; ++p) {
        QWidget* panel = child(&f, kPanels[p]);
        ASSERT_NE(panel, nullptr) << kPanels[p];
        EXPECT_EQ(panel, f.panel(p).panel);
        EXPECT_EQ(panel->geometry(), QRect(32, 40, 840, 515));
        EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(Qt::white));
        EXPECT_EQ(panel->isHidden(), p == kWWLi) << kPanels[p];
        // The picture is there and drawn (not blank white).
        QLabel* img = f.panel(p).image;
        ASSERT_FALSE(img->pixmap().isNull());
        EXPECT_EQ(img->pixmap().size(), img->size());
        const QImage pic = img->pixmap().toImage();
        int dark = 0;
        for (int y = 0; y < pic.height(); y += 4)
            for (int x = 0; x < pic.width(); x += 4) dark += qGray(pic.pixel(x, y)) < 128;
        EXPECT_GT(dark, 200) << kPanels[p];
    }
    EXPECT_EQ(f.panel(kWWLi).image->geometry(), QRect(8, 32, 817, 457));
    EXPECT_EQ(f.panel(kMarvek2).image->geometry(), QRect(10, 32, 823, 393));
}

TEST(OverviewWindow, EveryPanelHoldsItsComponentsWithTheirLookBeforeData) {
    TForm2 f;
    const QStringList common = {"LabelT1",       "LabelT2",      "LabelT3",     "LabelT4",
                                "LabelT5",       "LabelT6",      "LabelT7",     "LabelToeM3",
                                "LabelAfM3",     "LabelToePerc", "LabelAfPerc", "LabelVerwKlep",
                                "LabelKoelKlep", "LabelVorst",   "LabelVorstT2"};
    const int pressureNumber[] = {4, 2, 3, 1, 5, 6};
    for (int p = 0; p < kPanelCount; ++p) {
        SCOPED_TRACE(kPanels[p]);
        QWidget* panel = f.panel(p).panel;
        const QString sfx = kSuffix[p];
        const bool wheel = isHeatWheelPanel(p);
        auto valueLabel = [&](const QString& name) {
            auto* l = panel->findChild<QLabel*>(name);
            ASSERT_NE(l, nullptr) << name.toStdString();
            EXPECT_EQ(l->text(), "XXX");
            EXPECT_EQ(l->size(), QSize(28, 16));
            EXPECT_EQ(l->font().pixelSize(), 13);
            EXPECT_TRUE(l->font().bold());
            EXPECT_EQ(l->palette().color(QPalette::WindowText), QColor(0, 128, 128));
            EXPECT_TRUE(l->isVisibleTo(panel));
        };
        for (const QString& base : common) valueLabel(base + sfx);
        valueLabel(QStringLiteral("LabelPSupply_%1").arg(pressureNumber[p]));
        valueLabel(QStringLiteral("LabelPExhaust_%1").arg(pressureNumber[p]));
        EXPECT_EQ(panel->findChild<QLabel*>("LabelHeatWheel" + sfx) != nullptr, wheel);
        EXPECT_EQ(panel->findChild<QLabel*>("LabelBypass" + sfx) != nullptr, !wheel);

        auto* fire = panel->findChild<QLabel*>("LabelFIRE" + sfx);
        ASSERT_NE(fire, nullptr);
        EXPECT_EQ(fire->text(), "XXX");
        EXPECT_EQ(fire->size(), QSize(46, 24));
        EXPECT_EQ(fire->font().pixelSize(), 21);
        EXPECT_EQ(fire->palette().color(QPalette::WindowText), QColor(255, 0, 0));

        auto* frost = panel->findChild<QLabel*>("LabelRecupFrost" + sfx);
        EXPECT_EQ(frost != nullptr, !wheel);
        if (frost) {
            EXPECT_EQ(frost->text(), "Frost");
            EXPECT_GE(frost->width(), 48);
            EXPECT_GE(frost->width(), frost->sizeHint().width());  // not cut off
            EXPECT_EQ(frost->height(), 24);
            EXPECT_FALSE(frost->isVisibleTo(panel));
        }

        QWidget* supplyDamper = child(panel, "ShapeToeVoerKlep" + sfx);
        ASSERT_NE(supplyDamper, nullptr);
        EXPECT_EQ(supplyDamper->size(), wheel ? QSize(30, 30) : QSize(31, 29));
        EXPECT_FALSE(supplyDamper->isVisibleTo(panel));
        QWidget* exhaustDamper = child(panel, "ShapeAfVoerKlep" + sfx);
        QWidget* wheelRun = child(panel, "ShapeWWRun" + sfx);
        EXPECT_EQ(exhaustDamper != nullptr, wheel);
        EXPECT_EQ(wheelRun != nullptr, wheel);
        if (wheel) {
            EXPECT_EQ(exhaustDamper->size(), QSize(30, 30));
            EXPECT_EQ(wheelRun->size(), QSize(27, 27));
            EXPECT_FALSE(exhaustDamper->isVisibleTo(panel));
            EXPECT_FALSE(wheelRun->isVisibleTo(panel));
        }
    }
    // A few positions across the panels, the pressure labels included.
    EXPECT_EQ(f.findChild<QLabel*>("LabelT1")->pos(), QPoint(204, 289));
    EXPECT_EQ(f.findChild<QLabel*>("LabelT6_2")->pos(), QPoint(24, 238));
    EXPECT_EQ(f.findChild<QLabel*>("LabelBypass_5")->pos(), QPoint(235, 79));
    EXPECT_EQ(f.findChild<QLabel*>("LabelPSupply_1")->pos(), QPoint(638, 80));
    EXPECT_EQ(f.findChild<QLabel*>("LabelPExhaust_4")->pos(), QPoint(624, 83));
    EXPECT_EQ(f.findChild<QWidget*>("ShapeWWRun_2")->pos(), QPoint(539, 328));
}
