// Placeholder until the report library lands.
#include "app/ToolWindows.h"

namespace bxl {

QByteArray ToolWindows::serviceReportPdf(const QString& note, const QDateTime& when) {
    return QStringLiteral("%PDF-1.4 %1 %2").arg(note, when.toString()).toUtf8();
}

}  // namespace bxl
