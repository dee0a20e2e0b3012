// What a Tibbet run does, decided from its command line alone.
// Portable: no Windows headers.
#pragma once
#include <string>

namespace tibbet {

// The argument text that follows the program's name in a full command line:
// the (possibly quoted) program name and the blanks after it are dropped,
// the rest stays as it is.
std::string ArgumentText(const std::string& sFullCommandLine);

// The switches of one command line. Each is found case-sensitively anywhere
// in the text; one command line may hold several, and they run in the order
// of the members below.
struct Switches {
  bool notFromZarvo = false;  // the command line is empty
  bool startup = false;       // "-startup": show the clock
  bool setup = false;         // "-setup": show the settings dialog
  bool close = false;         // "-close": close a running clock
};

Switches ParseSwitches(const std::string& sArguments);

}  // namespace tibbet
