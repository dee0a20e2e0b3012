// Carries a launch plan out with Win32 calls, then ends the process.
#pragma once
#include "launcher/launch_plan.h"

namespace marlock {

struct Execution;

// One step of a run. A start's result is not examined: a client that fails
// to start leaves no trace in Marlock.
void ExecuteStep(const LaunchStep& step, Execution& run);

// Every step in order, then the end of the process, without waiting for
// anything that was started.
[[noreturn]] void ExecutePlan(const LaunchPlan& plan);

}  // namespace marlock
