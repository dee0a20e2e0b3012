#include "launcher/command_line.h"

namespace marlock {

StartAction ChooseStartAction(const std::string& sArguments) {
  if (sArguments.find("-setup") != std::string::npos) return StartAction::ShowSettings;
  if (sArguments.find("-u=") != std::string::npos) return StartAction::LaunchLink;
  if (sArguments.empty()) return StartAction::NotFromZarvo;
  return StartAction::InvalidCommand;
}

std::string GetLinkArgument(const std::string& sArguments) {
  size_t at = sArguments.find("-u=");
  return at == std::string::npos ? std::string() : sArguments.substr(at + 3);
}

}  // namespace marlock
