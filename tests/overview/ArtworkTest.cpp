// The pictures and the components on them: every label stands on white, with
// its first text and with the longest texts the unit sends, so no part of a
// drawing is ever hidden; and no label, sensor tag or indicator covers
// another.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPixmap>

#include "ui/overview/Form2.h"
#include "ui/overview/LiveOverview.h"

using namespace bxl::overview;

namespace {

const char* const kPanels[] = {"PanelWWLi",   "PanelWWRe",    "PanelRecup1",
                               "PanelRecup2", "PanelMarvek1", "PanelMarvek2"};

// Winter at its coldest and every other value at its longest.
void longestValues(bxl::ValueStore& s) {
    for (int t : {256, 257, 258, 259, 260, 261, 323}) s.setCurrent(t, -125);  // -12.5 °C
    s.setCurrent(273, 9999);                                                  // m3/h
    s.setCurrent(274, 9999);
    for (int pct : {300, 301, 297, 298}) s.setCurrent(pct, 1000);  // 100%
    s.setCurrent(276, 10000);
    s.setCurrent(296, 10000);
    s.setCurrent(364, 2000);  // Pa
    s.setCurrent(365, 2000);
    for (int flag : {293, 347, 294, 295, 355}) s.setCurrent(flag, 1);
    s.setCurrent(42, 1);  // T6 and T7 in use
    s.setCurrent(145, 1);
    s.setCurrent(105, 1);  // the bypass labels show
}

// The components of a panel that stand on its picture, with their names.
std::vector<std::pair<QString, QWidget*>> onPicture(const OverviewPanel& p) {
    std::vector<std::pair<QString, QWidget*>> out;
    for (QWidget* w : p.panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != p.image && !w->isHidden()) out.emplace_back(w->objectName(), w);
    return out;
}

// Pixels of the picture under `area` (panel coordinates) that are not white.
int drawnUnder(const OverviewPanel& p, const QRect& area) {
    const QImage picture = p.image->pixmap().toImage();
    const QRect inPicture = area.intersected(p.image->geometry()).translated(-p.image->pos());
    int drawn = 0;
    for (int y = inPicture.top(); y <= inPicture.bottom(); ++y)
        for (int x = inPicture.left(); x <= inPicture.right(); ++x)
            drawn += (picture.pixel(x, y) & 0xffffffu) != 0xffffffu;
    return drawn;
}

void expectNothingHidden(const TForm2& form, const char* when) {
    for (int i = 0; i < kPanelCount; ++i) {
        SCOPED_TRACE(std::string(kPanels[i]) + ", " + when);
        const OverviewPanel& p = form.panel(i);
        const auto parts = onPicture(p);
        for (const auto& [name, w] : parts) {
            // The indicator discs light up on the rings drawn for them.
            if (qobject_cast<bxl::ui::CircleShape*>(w) != nullptr) continue;
            EXPECT_EQ(drawnUnder(p, w->geometry()), 0) << name.toStdString() << " hides part of the picture";
        }
        for (std::size_t a = 0; a < parts.size(); ++a)
            for (std::size_t b = a + 1; b < parts.size(); ++b)
                EXPECT_FALSE(parts[a].second->geometry().intersects(parts[b].second->geometry()))
                    << parts[a].first.toStdString() << " and " << parts[b].first.toStdString() << " overlap";
    }
}

}  // namespace

TEST(OverviewArtwork, LabelsHideNothingOfThePictures) {
    TForm2 form;
    expectNothingHidden(form, "before data");

    bxl::BindingTable bindings;
    bindings.build();
    bxl::ValueStore store;
    longestValues(store);
    liveOverviewRefresh(store, bindings, form);
    ASSERT_EQ(form.panel(kMarvek1).t[0]->text(), QString::fromUtf8("-12.5 \u00B0C"));
    ASSERT_EQ(form.panel(kWWLi).supplyFlow->text(), QStringLiteral("9999 m3/h"));
    ASSERT_EQ(form.panel(kRecup2).supplyFilter->text(), QStringLiteral("2000 Pa"));
    ASSERT_TRUE(form.panel(kRecup1).exchangerFrost->isVisibleTo(form.panel(kRecup1).panel));
    expectNothingHidden(form, "longest values");
}

TEST(OverviewArtwork, SensorTagsOfT6AndT7ShowOnlyWithTheirValues) {
    TForm2 form;
    bxl::BindingTable bindings;
    bindings.build();
    bxl::ValueStore store;
    for (int i = 0; i < kPanelCount; ++i) {
        const OverviewPanel& p = form.panel(i);
        ASSERT_NE(p.sensorTags[0], nullptr);
        EXPECT_TRUE(p.sensorTags[0]->isVisibleTo(p.panel));  // like their labels before data
        EXPECT_EQ(p.sensorTags[0]->geometry().bottomLeft(), p.t[5]->geometry().topLeft() - QPoint(0, 2));
    }
    // "Function T6" and "Function T7": 0 no sensor, 1 siphon temperature,
    // 2 adopt NTC5, 3 and 4 frost contacts.
    const int functions[][2] = {{0, 2}, {1, 3}, {4, 0}};
    for (const auto& f : functions) {
        store.setCurrent(42, f[0]);
        store.setCurrent(145, f[1]);
        liveOverviewRefresh(store, bindings, form);
        for (int i = 0; i < kPanelCount; ++i) {
            const OverviewPanel& p = form.panel(i);
            for (std::size_t k = 0; k < 2; ++k)
                EXPECT_EQ(p.sensorTags[k]->isVisibleTo(p.panel), p.t[5 + k]->isVisibleTo(p.panel))
                    << kPanels[i] << " T" << 6 + k << " function " << f[k];
        }
        EXPECT_EQ(form.panel(kWWRe).sensorTags[0]->isVisibleTo(form.panel(kWWRe).panel),
                  f[0] == 1 || f[0] == 2);
    }
}
