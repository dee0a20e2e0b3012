// What a Marlock run does, decided from its command line alone.
#pragma once
#include <string>

namespace marlock {

enum class StartAction {
  ShowSettings,    // "-setup" anywhere (wins over "-u=")
  LaunchLink,      // "-u=" anywhere
  NotFromZarvo,    // empty command line
  InvalidCommand,  // anything else
};

// The argument text that follows the program's name in a full command line,
// as the platform hands it over: the (possibly quoted) program name and the
// blanks after it are dropped, the rest stays unchanged.
std::string ArgumentText(const std::string& sFullCommandLine);

// Both switches are found anywhere, case-sensitively.
StartAction ChooseStartAction(const std::string& sArguments);

// Everything after the first "-u=", unchanged; empty when there is none.
std::string GetLinkArgument(const std::string& sArguments);

}  // namespace marlock
