// What a Send is about to write, as the list under its "Warning" question:
// every menu line whose value differs from the unit's, controls and process
// values alike, with the unit's value and the new one as the fields show
// them.
#pragma once

#include <QString>

#include "model/Bindings.h"
#include "model/ValueStore.h"
#include "ui/common/Dialogs.h"

namespace bxl::ui {

inline constexpr const char* kSendQuestion = "Sending data from PC to Brisaval XL, sure to do this?";
inline constexpr const char* kNothingToSend = "nothing to send";

ListQuestion sendReview(const ValueStore& store, const BindingTable& bindings);

}  // namespace bxl::ui
