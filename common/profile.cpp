#include "profile.h"

#include <windows.h>

#include "numvalue.h"

namespace zarvo {

std::string ReadProfileText(const std::string& sPath, const char* sSection,
                            const char* sKey, const char* sDefault) {
  char buffer[256] = {};
  GetPrivateProfileStringA(sSection, sKey, sDefault, buffer, sizeof buffer,
                           sPath.c_str());
  buffer[sizeof buffer - 1] = '\0';
  return buffer;
}

bool WriteProfileText(const std::string& sPath, const char* sSection,
                      const char* sKey, const std::string& sValue) {
  return WritePrivateProfileStringA(sSection, sKey, sValue.c_str(),
                                    sPath.c_str()) != FALSE;
}

double ReadProfileNumber(const std::string& sPath, const char* sSection,
                         const char* sKey, const char* sDefault) {
  return NumericValue(ReadProfileText(sPath, sSection, sKey, sDefault));
}

bool ReadProfileFlag(const std::string& sPath, const char* sSection,
                     const char* sKey, const char* sDefault) {
  return IsFlagSet(ReadProfileText(sPath, sSection, sKey, sDefault));
}

}  // namespace zarvo
