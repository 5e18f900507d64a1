// The unit's factory settings in a value store, from the parameter table's
// default column: what a freshly reset unit would send.
#pragma once

#include "model/ValueStore.h"

namespace bxl::test {

// Sets the current value of every menu line to its default.
void loadFactorySettings(ValueStore& store);

}  // namespace bxl::test
