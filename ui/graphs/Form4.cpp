#include "ui/graphs/Form4.h"

#include "ui/common/UiCommon.h"

TForm4::TForm4(const bxl::ValueStore& store, QWidget* parent) : QWidget(parent), store_(store) {
    setObjectName(QStringLiteral("Form4"));
    bxl::ui::setupFixedWindow(this, QStringLiteral("Graph's"), 738, 498, 953, 305);
}
