#include "ui/overview/LiveOverview.h"

#include <QLabel>

#include "ui/common/UiCommon.h"
#include "ui/overview/Form2.h"

namespace {

// The value labels grow with their text from their left edge, so a long
// value such as "-12.5 °C" is never cut off.
void setText(QLabel* l, const QString& text) {
    if (!l) return;
    l->setText(text);
    l->adjustSize();
}

void setText(QLabel* l, const std::string& cp1252) {
    setText(l, bxl::ui::toDisplayText(cp1252));
}

void setVisible(QWidget* w, bool visible) {
    if (w) w->setVisible(visible);
}

}  // namespace

void liveOverviewRefresh(const bxl::ValueStore& store, const bxl::BindingTable& bindings, TForm2& overview) {
    using namespace bxl::overview;
    const LiveTexts l = computeLiveTexts(store, bindings);

    for (int i = 0; i < kPanelCount; ++i) {
        const OverviewPanel& p = overview.panel(i);
        for (std::size_t t = 0; t < 5; ++t) setText(p.t[t], l.t[t]);
        setText(p.supplyFlow, l.supplyFlow);
        setText(p.exhaustFlow, l.exhaustFlow);
        setText(p.supplyFan, l.supplyFan);
        setText(p.exhaustFan, l.exhaustFan);
        setText(p.heatWheel, l.heatWheel);
        setText(p.bypass, l.bypass);
        setVisible(p.bypass, l.bypassVisible);
        setText(p.heatingCoil, l.heatingCoil);
        setText(p.coolingCoil, l.coolingCoil);
        setText(p.frost, l.frost);
        setText(p.frostT2, std::string());
        setText(p.fire, l.fire);
        setVisible(p.exhaustDamper, l.exhaustDamperOpen);
        setVisible(p.supplyDamper, l.supplyDamperOpen);
        setVisible(p.wheelRunning, l.wheelRunning);
        setVisible(p.exchangerFrost, l.exchangerFrost);
    }

    // T6 and T7 are written once and copied to the other panels.
    const OverviewPanel& first = overview.panel(kWWLi);
    setText(first.t[5], l.t[5]);
    setText(first.t[6], l.t[6]);
    for (int i = 0; i < kPanelCount; ++i) {
        const OverviewPanel& p = overview.panel(i);
        setText(p.supplyFilter, l.supplyFilter);
        setText(p.exhaustFilter, l.exhaustFilter);
        if (i != kWWLi) {
            setText(p.t[5], first.t[5]->text());
            setText(p.t[6], first.t[6]->text());
        }
        setVisible(p.t[5], l.t6Visible);
        setVisible(p.t[6], l.t7Visible);
    }
}
