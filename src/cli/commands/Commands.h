#pragma once
// The rows of the command table: each command's usage lines and set-up, one
// file each in this folder.
#include "cli/commands/Command.h"

namespace vxlo {

#define VXLO_COMMAND(Name)                  \
    extern const char* const k##Name##Usage; \
    TCommandRun SetUp##Name(CLI::App& command)

VXLO_COMMAND(Import);
VXLO_COMMAND(ClearEvidence);
VXLO_COMMAND(Merge);
VXLO_COMMAND(ExportSgf);
VXLO_COMMAND(Check);
VXLO_COMMAND(PracticeStatus);
VXLO_COMMAND(Dump);
VXLO_COMMAND(Review);
VXLO_COMMAND(Stats);
VXLO_COMMAND(Games);
VXLO_COMMAND(Path);
VXLO_COMMAND(Search);
VXLO_COMMAND(Find);
VXLO_COMMAND(Corner);
VXLO_COMMAND(Help);

#undef VXLO_COMMAND

}  // namespace vxlo
