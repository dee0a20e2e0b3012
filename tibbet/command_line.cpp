#include "command_line.h"

namespace tibbet {

std::string ArgumentText(const std::string& sFullCommandLine) {
  size_t i = 0;
  const size_t n = sFullCommandLine.size();
  if (i < n && sFullCommandLine[i] == '"') {
    ++i;
    while (i < n && sFullCommandLine[i] != '"') ++i;
    if (i < n) ++i;
  } else {
    while (i < n && sFullCommandLine[i] != ' ' && sFullCommandLine[i] != '\t') ++i;
  }
  while (i < n && (sFullCommandLine[i] == ' ' || sFullCommandLine[i] == '\t')) ++i;
  return sFullCommandLine.substr(i);
}

Switches ParseSwitches(const std::string& sArguments) {
  Switches s;
  s.notFromZarvo = sArguments.empty();
  s.startup = sArguments.find("-startup") != std::string::npos;
  s.setup = sArguments.find("-setup") != std::string::npos;
  s.close = sArguments.find("-close") != std::string::npos;
  return s;
}

}  // namespace tibbet
