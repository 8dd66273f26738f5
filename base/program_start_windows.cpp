#include "program_start.h"

#include "base/windows_api.h"

namespace orvelin {

void startProgram() {
  // The process's own mode, kept for good and with no registry setting: Windows Error Reporting is
  // not invoked for a crash, so it neither shows its box nor saves a dump (its LocalDumps included).
  // A per-user exclusion (WerAddExcludedApplication) would reach beyond this process. A debugger
  // the user attaches can still read the memory, as on any system.
  SetErrorMode(GetErrorMode() | SEM_NOGPFAULTERRORBOX);
}

} // namespace orvelin
