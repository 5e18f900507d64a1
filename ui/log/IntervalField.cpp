#include "ui/log/IntervalField.h"

#include <QLineEdit>

#include "model/log/LogRecorder.h"
#include "ui/common/UpDown.h"

namespace bxl::ui {

IntervalField::IntervalField(QWidget* frame)
    : edit_(new QLineEdit(QString::number(kLogIntervalDefault), frame)),
      spinner_(new UpDown(kLogIntervalMin, kLogIntervalMax, kLogIntervalDefault, frame)) {
    edit_->setObjectName(QStringLiteral("Edit1"));
    edit_->setGeometry(184, 18, 41, 21);
    spinner_->setObjectName(QStringLiteral("UpDownLogInt"));
    spinner_->setGeometry(225, 18, 16, 21);
    // In the tab order after the field; the Up and Down keys step it.
    spinner_->setFocusPolicy(Qt::TabFocus);
    connect(edit_, &QLineEdit::textChanged, this, &IntervalField::takeTypedText);
    spinner_->setAssociate(edit_);
    connect(edit_, &QLineEdit::editingFinished, this, [this] {
        if (edit_->text() != QString::number(spinner_->position()))
            edit_->setText(QString::number(spinner_->position()));
    });
}

int IntervalField::interval() const {
    return spinner_->position();
}

void IntervalField::takeTypedText(const QString& text) {
    spinner_->setPosition(intervalFromText(text.toStdString(), spinner_->position()));
}

}  // namespace bxl::ui
