// Registers the recording automation objects under the ProgIDs Marlock
// creates, so that Marlock's automation calls reach them.
#pragma once
#include <string>
#include <vector>

namespace autostub {

// Registers both ProgIDs ("CuteFTPPro.TEConnection",
// "InternetExplorer.Application") to the recording server.
bool Register();
// Removes the stand-ins; a ProgID the prefix had before (Wine's own
// "InternetExplorer.Application") gets its class back.
void Unregister();

// The lines the objects wrote to the log file (ZARVO_AUTOMATION_LOG).
std::vector<std::string> ReadLog(const std::string& sLogFile);

}  // namespace autostub
