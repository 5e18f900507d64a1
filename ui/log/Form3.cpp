#include "ui/log/Form3.h"

#include "ui/common/UiCommon.h"

TForm3::TForm3(const bxl::ValueStore& store, QWidget* parent) : QWidget(parent), store_(store) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Log"));
    setFont(bxl::ui::windowFont());
    resize(875, 617);
    setMinimumSize(854, 601);
    move(479, 158);
}
