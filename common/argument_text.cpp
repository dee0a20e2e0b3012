#include "argument_text.h"

namespace zarvo {

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

}  // namespace zarvo
