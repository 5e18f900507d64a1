#include "ui/report/ServiceReport.h"

#include <algorithm>
#include <cstdio>

#include "model/Format.h"
#include "model/ParamTable.h"
#include "ui/common/UiCommon.h"
#include "ui/graphs/Canvas.h"
#include "ui/graphs/Graphs.h"

namespace bxl::report {

namespace {

constexpr int kLivePage = 0;  // "M01 Actual Controls"

// The unit's identity in the title block: the menu lines of its software
// version, its I/O board version and its Modbus address.
struct MenuLine {
    int32_t menu;
    int32_t item;
};
constexpr MenuLine kIdentityLines[] = {{99, 1}, {99, 4}, {80, 1}};

QString screenCode(const ParamRow& row) {
    char code[32];
    std::snprintf(code, sizeof code, "M%02d.%02d", row.menu, row.item);
    return QString::fromLatin1(code);
}

QString valueText(int row, const ValueArray& values) {
    const auto k = static_cast<std::size_t>(kParamTable[row].valueIndex);
    return ui::toDisplayText(formatValue(row, k < values.size() ? values[k] : 0));
}

int rowOf(const MenuLine& line) {
    for (int r = 0; r < kParamRowCount && kParamTable[r].menu != -1; ++r)
        if (kParamTable[r].menu == line.menu && kParamTable[r].item == line.item) return r;
    return -1;
}

Table pageTable(const BindingTable& bindings, int page, const ValueArray& values) {
    Table table;
    table.caption = QString::fromLatin1(kMenuPages[static_cast<std::size_t>(page)].caption);
    table.headings = {QStringLiteral("Line"), QStringLiteral("Name"), QStringLiteral("Value")};
    for (int i = 0; i < bindings.used(); ++i) {
        const Binding& b = bindings.at(i);
        if (b.page != page) continue;
        const ParamRow& row = kParamTable[b.row];
        table.rows.push_back({screenCode(row), ui::toDisplayText(row.name), valueText(b.row, values)});
    }
    return table;
}

// The controls of a value array, every other value 0.
ValueArray controlsOnly(const ValueArray& values) {
    ValueArray out{};
    std::copy_n(values.begin() + kControlsFirst, kControlsCount, out.begin() + kControlsFirst);
    return out;
}

}  // namespace

ValueArray valuesAsLeft(const ValueStore& store, bool controlsReceived) {
    ValueArray values = currentValues(store);
    if (controlsReceived)
        for (int k = kControlsFirst; k < kControlsFirst + kControlsCount; ++k)
            values[static_cast<std::size_t>(k)] = store.received(k);
    return values;
}

Report buildReport(const ValueStore& store, const BindingTable& bindings,
                   const std::optional<ControlsBlock>& asFound, const QString& title, const QString& note,
                   const QDateTime& when) {
    Report report;
    report.title = title;
    report.madeAt = when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    report.note = note.trimmed();
    const ValueArray asLeft = valuesAsLeft(store, asFound.has_value());
    for (const MenuLine& line : kIdentityLines) {
        const int row = rowOf(line);
        if (row < 0) continue;
        report.unitRows.push_back(
            {screenCode(kParamTable[row]) + QLatin1Char(' ') + ui::toDisplayText(kParamTable[row].name),
             valueText(row, asLeft)});
    }

    // Changes: the unit's controls as found against the unit's controls now.
    // Edits in the tool that were not sent are not the unit's; they are
    // counted, not listed.
    report.changes.caption = QStringLiteral("Changes");
    report.changes.headings = {QStringLiteral("Line"), QStringLiteral("Name"), QStringLiteral("As found"),
                               QStringLiteral("As left")};
    if (!asFound) {
        report.changeNotes << QStringLiteral(
            "No controls were received from the unit since the tool started, so the unit as found is not "
            "known and no changes can be listed.");
        report.settingsNote = QStringLiteral(
            "The settings below are the values the tool holds; they were not read from the unit.");
    } else {
        const ValueArray controlsNow = controlsOnly(asLeft);
        for (const LineDifference& d : compareValues(valuesOfControls(*asFound), controlsNow, bindings))
            report.changes.rows.push_back({QString::fromStdString(d.screenCode), ui::toDisplayText(d.name),
                                           ui::toDisplayText(d.before), ui::toDisplayText(d.after)});
        if (report.changes.rows.empty()) report.changeNotes << QStringLiteral("No changes.");
        const auto unsent = compareValues(controlsNow, controlsOnly(currentValues(store)), bindings).size();
        if (unsent > 0)
            report.changeNotes
                << QStringLiteral(
                       "%1 edited %2 in the tool %3 not sent to the unit; the report shows the "
                       "unit's values.")
                       .arg(unsent)
                       .arg(unsent == 1 ? QStringLiteral("line") : QStringLiteral("lines"))
                       .arg(unsent == 1 ? QStringLiteral("was") : QStringLiteral("were"));
    }

    for (int page = 0; page < kMenuPageCount; ++page)
        if (page != kLivePage) report.settings.push_back(pageTable(bindings, page, asLeft));
    report.live = pageTable(bindings, kLivePage, asLeft);
    return report;
}

std::vector<std::pair<QString, QImage>> drawGraphs(const ValueArray& values, int factor) {
    ValueStore store;
    for (int k = 0; k < kValueCount; ++k) {
        store.setCurrent(k, values[static_cast<std::size_t>(k)]);
        store.setReceived(k, values[static_cast<std::size_t>(k)]);
    }
    std::vector<std::pair<QString, QImage>> out;
    for (int tab = 0; tab < graphs::kGraphTabCount; ++tab) {
        graphs::Canvas canvas(graphs::kGraphWidth, graphs::kGraphHeight, ui::faceColour().rgb());
        canvas.setBrush(canvas.faceColour());
        canvas.fillRect(0, 0, graphs::kGraphWidth, graphs::kGraphHeight);
        graphs::DrawGraphForTab(canvas, store, tab);
        const QImage& image = canvas.image();
        out.emplace_back(QString::fromLatin1(graphs::kGraphTabCaptions[static_cast<std::size_t>(tab)]),
                         image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }
    return out;
}

}  // namespace bxl::report
