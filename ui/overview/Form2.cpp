#include "ui/overview/Form2.h"

#include "ui/common/UiCommon.h"

TForm2::TForm2(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form2"));
    bxl::ui::setupFixedWindow(this, QStringLiteral("Overview"), 901, 579, 567, 26);
}

void TForm2::toggleAndSelect(const bxl::ValueStore&) {
    setVisible(!isVisible());
}
