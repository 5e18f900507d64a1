// Writes the live values of the value store onto the overview window. Run by
// the transfer sequencer after every process reply, whether the window is
// shown or not, so a panel never shows stale values when it comes into view.
#pragma once

#include "model/Bindings.h"
#include "model/ValueStore.h"

class TForm2;

void liveOverviewRefresh(const bxl::ValueStore& store, const bxl::BindingTable& bindings, TForm2& overview);
