#include "ui/main/ChangeReview.h"

#include "model/Compare.h"
#include "ui/common/UiCommon.h"

namespace bxl::ui {

ListQuestion sendReview(const ValueStore& store, const BindingTable& bindings) {
    ListQuestion question;
    question.text = QString::fromLatin1(kSendQuestion);
    question.columns = {QStringLiteral("Menu line"), QStringLiteral("Name"), QStringLiteral("In the unit"),
                        QStringLiteral("New value")};
    question.emptyText = QString::fromLatin1(kNothingToSend);
    for (const LineDifference& d : compareValues(receivedValues(store), currentValues(store), bindings))
        question.rows.append({QString::fromStdString(d.screenCode), toDisplayText(d.name),
                              toDisplayText(d.before), toDisplayText(d.after)});
    return question;
}

}  // namespace bxl::ui
