#include "tests/support/FactorySettings.h"

#include "model/ParamTable.h"

namespace bxl::test {

void loadFactorySettings(ValueStore& store) {
    for (int r = 0; r < kEndMarkerRow; ++r)
        if (kParamTable[r].menu > 0) store.setCurrent(kParamTable[r].valueIndex, kParamTable[r].defaultValue);
}

}  // namespace bxl::test
