// What a Marlock run does, decided from its command line alone.
#pragma once
#include <string>

#include "argument_text.h"

namespace marlock {

enum class StartAction {
  ShowSettings,    // "-setup" anywhere (wins over "-u=")
  LaunchLink,      // "-u=" anywhere
  NotFromZarvo,    // empty command line
  InvalidCommand,  // anything else
};

// The argument text after the program's name (shared by both programs).
using zarvo::ArgumentText;

// Both switches are found anywhere, case-sensitively.
StartAction ChooseStartAction(const std::string& sArguments);

// Everything after the first "-u=", unchanged; empty when there is none.
std::string GetLinkArgument(const std::string& sArguments);

}  // namespace marlock
