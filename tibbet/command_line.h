// What a Tibbet run does, decided from its command line alone.
// Portable: no Windows headers.
#pragma once
#include <string>

#include "argument_text.h"

namespace tibbet {

// The argument text after the program's name (shared by both programs).
using zarvo::ArgumentText;

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
