#include <gtest/gtest.h>

#include <QLabel>

#include "ui/overview/Form2.h"
#include "ui/overview/LiveOverview.h"

using namespace bxl::overview;

namespace {

const QString kDeg = QString::fromUtf8("\u00B0C");

struct Fixture {
    TForm2 form;
    bxl::BindingTable bindings;
    bxl::ValueStore store;
    Fixture() { bindings.build(); }
    void refresh() { liveOverviewRefresh(store, bindings, form); }
};

// Texts of one component on all six panels, joined, for compact checks.
QString onAll(const TForm2& f, QLabel* OverviewPanel::*member) {
    QStringList out;
    for (int p = 0; p < kPanelCount; ++p) out << (f.panel(p).*member)->text();
    return out.join('|');
}
QString tOnAll(const TForm2& f, int t) {
    QStringList out;
    for (int p = 0; p < kPanelCount; ++p) out << f.panel(p).t[static_cast<std::size_t>(t)]->text();
    return out.join('|');
}
QString six(const QString& s) {
    return QStringList{s, s, s, s, s, s}.join('|');
}

}  // namespace

TEST(LiveOverview, WritesEveryPanelFromTheStore) {
    Fixture fx;
    bxl::ValueStore& s = fx.store;
    s.setCurrent(256, 215);
    s.setCurrent(257, -15);
    s.setCurrent(258, 0);
    s.setCurrent(259, -125);
    s.setCurrent(260, 1999);
    s.setCurrent(261, 87);
    s.setCurrent(323, 412);
    s.setCurrent(273, 1250);
    s.setCurrent(274, 980);
    s.setCurrent(300, 1000);  // 100%
    s.setCurrent(301, 5);     // 0%
    s.setCurrent(276, 9999);  // 99%, truncated
    s.setCurrent(296, -150);  // -1%, toward zero
    s.setCurrent(297, 523);   // 52%
    s.setCurrent(298, -5);    // 0%
    s.setCurrent(293, 1);
    s.setCurrent(347, 7);
    s.setCurrent(294, 1);
    s.setCurrent(295, 1);
    s.setCurrent(355, 1);
    s.setCurrent(364, 120);
    s.setCurrent(365, 85);
    s.setCurrent(42, 1);
    s.setCurrent(145, 2);
    s.setCurrent(105, 0);  // no heat exchanger: bypass labels hidden, but written
    fx.refresh();
    const TForm2& f = fx.form;

    EXPECT_EQ(tOnAll(f, 0), six("21.5 " + kDeg));
    EXPECT_EQ(tOnAll(f, 1), six("-1.5 " + kDeg));
    EXPECT_EQ(tOnAll(f, 2), six("0.0 " + kDeg));
    EXPECT_EQ(tOnAll(f, 3), six("-12.5 " + kDeg));
    EXPECT_EQ(tOnAll(f, 4), six("199.9 " + kDeg));
    EXPECT_EQ(tOnAll(f, 5), six("8.7 " + kDeg));
    EXPECT_EQ(tOnAll(f, 6), six("41.2 " + kDeg));
    EXPECT_EQ(onAll(f, &OverviewPanel::supplyFlow), six("1250 m3/h"));
    EXPECT_EQ(onAll(f, &OverviewPanel::exhaustFlow), six("980 m3/h"));
    EXPECT_EQ(onAll(f, &OverviewPanel::supplyFan), six("100%"));
    EXPECT_EQ(onAll(f, &OverviewPanel::exhaustFan), six("0%"));
    EXPECT_EQ(onAll(f, &OverviewPanel::heatingCoil), six("52%"));
    EXPECT_EQ(onAll(f, &OverviewPanel::coolingCoil), six("0%"));
    EXPECT_EQ(onAll(f, &OverviewPanel::frost), six("FROST"));
    EXPECT_EQ(onAll(f, &OverviewPanel::frostT2), six(""));
    EXPECT_EQ(onAll(f, &OverviewPanel::fire), six("FIRE"));
    EXPECT_EQ(onAll(f, &OverviewPanel::supplyFilter), six("85 Pa"));
    EXPECT_EQ(onAll(f, &OverviewPanel::exhaustFilter), six("120 Pa"));

    for (int p = 0; p < kPanelCount; ++p) {
        SCOPED_TRACE(p);
        const OverviewPanel& op = f.panel(p);
        QWidget* panel = op.panel;
        EXPECT_TRUE(op.t[5]->isVisibleTo(panel));
        EXPECT_TRUE(op.t[6]->isVisibleTo(panel));
        EXPECT_TRUE(op.supplyDamper->isVisibleTo(panel));
        if (isHeatWheelPanel(p)) {
            EXPECT_EQ(op.heatWheel->text(), "99%");
            EXPECT_TRUE(op.exhaustDamper->isVisibleTo(panel));
            EXPECT_TRUE(op.wheelRunning->isVisibleTo(panel));
        } else {
            EXPECT_EQ(op.bypass->text(), "-1%");
            EXPECT_FALSE(op.bypass->isVisibleTo(panel));
            EXPECT_TRUE(op.exchangerFrost->isVisibleTo(panel));
            EXPECT_EQ(op.exchangerFrost->text(), "Frost");
        }
        // A long value is not cut off by the label's initial size.
        EXPECT_GE(op.t[3]->width(), op.t[3]->sizeHint().width());
        EXPECT_GT(op.t[3]->width(), 28);
    }
}

TEST(LiveOverview, SecondRefreshClearsWarningsAndFollowsSettings) {
    Fixture fx;
    bxl::ValueStore& s = fx.store;
    s.setCurrent(293, 1);
    s.setCurrent(347, 1);
    s.setCurrent(294, 1);
    s.setCurrent(295, 1);
    s.setCurrent(276, 1);
    s.setCurrent(355, 1);
    s.setCurrent(42, 2);
    s.setCurrent(145, 0);
    fx.refresh();
    EXPECT_EQ(onAll(fx.form, &OverviewPanel::fire), six("FIRE"));

    s.setCurrent(293, 0);
    s.setCurrent(347, 0);
    s.setCurrent(294, 0);
    s.setCurrent(295, 0);
    s.setCurrent(276, 0);
    s.setCurrent(355, 0);
    s.setCurrent(105, 1);
    fx.refresh();
    EXPECT_EQ(onAll(fx.form, &OverviewPanel::fire), six(""));
    EXPECT_EQ(onAll(fx.form, &OverviewPanel::frost), six(""));

    struct T6T7 {
        int f6, f7;
        bool show6, show7;
    } cases[] = {{0, 1, false, true},  {1, 2, true, true},  {3, 4, false, false},
                 {4, 3, false, false}, {2, 0, true, false}, {-1, 5, false, false}};
    for (const T6T7& c : cases) {
        s.setCurrent(42, c.f6);
        s.setCurrent(145, c.f7);
        fx.refresh();
        for (int p = 0; p < kPanelCount; ++p) {
            const OverviewPanel& op = fx.form.panel(p);
            QWidget* panel = op.panel;
            EXPECT_EQ(op.t[5]->isVisibleTo(panel), c.show6) << "T6 function " << c.f6 << " panel " << p;
            EXPECT_EQ(op.t[6]->isVisibleTo(panel), c.show7) << "T7 function " << c.f7 << " panel " << p;
            EXPECT_FALSE(op.supplyDamper->isVisibleTo(panel));
            if (isHeatWheelPanel(p)) {
                EXPECT_EQ(op.heatWheel->text(), "0%");
                EXPECT_FALSE(op.exhaustDamper->isVisibleTo(panel));
                EXPECT_FALSE(op.wheelRunning->isVisibleTo(panel));
            } else {
                EXPECT_TRUE(op.bypass->isVisibleTo(panel));
                EXPECT_FALSE(op.exchangerFrost->isVisibleTo(panel));
            }
        }
    }
}

TEST(LiveOverview, UnboundValuesShowQuestionMarkAndPercentsStillShow) {
    TForm2 form;
    bxl::BindingTable empty;  // no menu rows: every formatted value is unbound
    bxl::ValueStore s;
    s.setCurrent(300, 523);
    s.setCurrent(256, 215);
    liveOverviewRefresh(s, empty, form);
    EXPECT_EQ(tOnAll(form, 0), six("?"));
    EXPECT_EQ(tOnAll(form, 5), six("?"));
    EXPECT_EQ(onAll(form, &OverviewPanel::supplyFlow), six("?"));
    EXPECT_EQ(onAll(form, &OverviewPanel::supplyFilter), six("?"));
    EXPECT_EQ(onAll(form, &OverviewPanel::supplyFan), six("52%"));
}

TEST(LiveOverview, PercentTextTruncatesTowardZero) {
    struct {
        int32_t v, div;
        const char* text;
    } cases[] = {{523, 10, "52%"},
                 {-15, 10, "-1%"},
                 {-5, 10, "0%"},
                 {1000, 10, "100%"},
                 {9999, 100, "99%"},
                 {-10000, 100, "-100%"},
                 {0, 100, "0%"},
                 {INT32_MIN, 10, "-214748364%"},
                 {INT32_MAX, 100, "21474836%"}};
    for (const auto& c : cases) EXPECT_EQ(percentText(c.v, c.div), c.text) << c.v << "/" << c.div;
}
