#include "ui/log/LogDialogs.h"

#include "model/log/DateTime.h"
#include "model/log/RecordingCsv.h"
#include "ui/common/Dialogs.h"
#include "ui/common/UiCommon.h"
#include "ui/log/LogChart.h"

namespace bxl::ui {

namespace {

const FileDialogSetup kSaveDialog1{.objectName = "SaveDialog1",
                                   .save = true,
                                   .nameFilter = "Log files (*.LOG)",
                                   .defaultSuffix = "LOG",
                                   .confirmOverwrite = false};
const FileDialogSetup kOpenDialog1{
    .objectName = "OpenDialog1", .nameFilter = "Log files (*.LOG)", .defaultSuffix = "LOG"};

const FileDialogSetup kCsvDialog{.objectName = "SaveDialogCsv",
                                 .title = "Export CSV",
                                 .save = true,
                                 .nameFilter = "CSV files (*.csv)",
                                 .defaultSuffix = "csv"};
const FileDialogSetup kPictureDialog{.objectName = "SaveDialogPicture",
                                     .title = "Save picture",
                                     .save = true,
                                     .nameFilter = "PNG picture (*.png);;PDF document (*.pdf)",
                                     .defaultSuffix = "png"};

constexpr auto kCancel = Dialogs::DefaultButton::Cancel;

// "17-5-2024 09:30:01"
QString startedText(double start) {
    CalendarTime c;
    if (!calendarTime(start, c)) return QStringLiteral("at an unknown time");
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(c.day)
        .arg(c.month)
        .arg(c.year)
        .arg(c.hour, 2, 10, QLatin1Char('0'))
        .arg(c.minute, 2, 10, QLatin1Char('0'))
        .arg(c.second, 2, 10, QLatin1Char('0'));
}

}  // namespace

LogDialogs::LogDialogs(Dialogs& dialogs, QWidget* window) : dialogs_(dialogs), window_(window) {}

bool LogDialogs::askToDiscard() {
    return dialogs_.ask(window_, QStringLiteral("Log samples not saved, discard them?"), kCancel);
}

bool LogDialogs::askToRestore(const LogFileContents& found, const std::string& asidePath) {
    const QString question =
        QStringLiteral(
            "Unsaved recording found: started %1, %2 samples.\nRestore it into the log?\n"
            "(Cancel keeps it as %3)")
            .arg(startedText(found.times.front()))
            .arg(found.recordCount())
            .arg(fromLocalPath(asidePath));
    return dialogs_.ask(window_, question, kCancel);
}

bool LogDialogs::save(const LogStore& log) {
    const QString path = dialogs_.pickPath(window_, kSaveDialog1);
    if (path.isEmpty()) return false;
    if (!writeFileBytes(localPath(path), encodeLogFile(log))) {
        dialogs_.tell(window_, QStringLiteral("Cannot write to file."));
        return false;
    }
    return true;
}

std::optional<LogFileContents> LogDialogs::load() {
    const QString path = dialogs_.pickPath(window_, kOpenDialog1);
    if (path.isEmpty()) return std::nullopt;
    std::vector<uint8_t> bytes;
    if (!readLogFileBytes(localPath(path), bytes)) {
        dialogs_.tell(window_, QStringLiteral("Cannot read file."));
        return std::nullopt;
    }
    LogFileContents contents;
    if (decodeLogFile(bytes, contents) != LogDecodeStatus::Ok) {
        dialogs_.tell(window_, QStringLiteral("File not in correct format!"));
        return std::nullopt;
    }
    return contents;
}

void LogDialogs::exportCsv(const LogStore& log) {
    const QString path = dialogs_.pickPath(window_, kCsvDialog);
    if (path.isEmpty()) return;
    const std::string csv = recordingCsv(log);
    if (!writeFileBytes(localPath(path), {reinterpret_cast<const uint8_t*>(csv.data()), csv.size()})) {
        dialogs_.tell(window_, QStringLiteral("Cannot write to file."));
    }
}

void LogDialogs::savePicture(LogChart& chart) {
    const QString path = dialogs_.pickPath(window_, kPictureDialog);
    if (path.isEmpty()) return;
    const bool pdf = path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
    const QByteArray bytes = pdf ? chart.pdfPicture() : chart.pngPicture();
    if (bytes.isEmpty() ||
        !writeFileBytes(localPath(path), {reinterpret_cast<const uint8_t*>(bytes.constData()),
                                          static_cast<std::size_t>(bytes.size())})) {
        dialogs_.tell(window_, QStringLiteral("Cannot write to file."));
    }
}

}  // namespace bxl::ui
