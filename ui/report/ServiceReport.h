// The service report of a visit: what the unit looked like when the engineer
// arrived ("as found": the first controls block received since the tool
// started), what changed, the settings as left, the live values, and the
// pictures of the overview, the graphs and the trend. buildReport() puts the
// texts together from the model; reportPdf() lays them out on A4 pages as a
// PDF document with selectable text.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "model/Bindings.h"
#include "model/Compare.h"
#include "model/ControlsFile.h"
#include "model/ValueStore.h"

namespace bxl::report {

// A table of the report. Where it breaks across pages, its caption and
// column headings are repeated at the top of the next page.
struct Table {
    QString caption;  // "M02 Ventilation"
    QStringList headings;
    std::vector<QStringList> rows;
};

struct TitleRow {
    QString label;  // "M99.01 Version number software"
    QString value;  // "2.31"
};

struct Report {
    QString title;   // the tool's title
    QString madeAt;  // "2026-12-10 14:03:05"
    std::vector<TitleRow> unitRows;
    QString note;  // the engineer's, as typed; may be empty
    // "Changes during the visit": sentences, then the table when it has rows.
    QStringList changeNotes;
    Table changes;
    // "Settings as left": one table for each page of settings.
    QString settingsNote;
    std::vector<Table> settings;
    // "Live values": the M01 lines.
    Table live;
};

struct Pictures {
    QImage overview;
    std::vector<std::pair<QString, QImage>> graphs;  // tab caption, picture
    QImage trend;                                    // null: no recording, no "Trend" section
};

// The values the report shows as the unit's: the controls as last received
// when a controls block was received in this run, otherwise the values the
// tool holds; every live value as the tool holds it.
ValueArray valuesAsLeft(const ValueStore& store, bool controlsReceived);

// The report's texts. `asFound` is the first controls block received since
// the tool started, nothing when none was.
Report buildReport(const ValueStore& store, const BindingTable& bindings,
                   const std::optional<ControlsBlock>& asFound, const QString& title, const QString& note,
                   const QDateTime& when);

// The four graphs as the graphs window draws them from these values, each
// enlarged by a whole factor, pixel for pixel, so they print sharp.
std::vector<std::pair<QString, QImage>> drawGraphs(const ValueArray& values, int factor);

// The report as a PDF document on A4 pages with "Page n of m" at the foot.
QByteArray reportPdf(const Report& report, const Pictures& pictures);

}  // namespace bxl::report
