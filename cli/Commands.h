// The commands of bxl-cli. Each returns the program's exit status and
// reports every failure as one line on standard error.
#pragma once

#include "cli/Arguments.h"

namespace bxl::cli {

int runCommand(const Options& options);

}  // namespace bxl::cli
