#include "command_line.h"

namespace tibbet {

Switches ParseSwitches(const std::string& sArguments) {
  Switches s;
  s.notFromZarvo = sArguments.empty();
  s.startup = sArguments.find("-startup") != std::string::npos;
  s.setup = sArguments.find("-setup") != std::string::npos;
  s.close = sArguments.find("-close") != std::string::npos;
  return s;
}

}  // namespace tibbet
