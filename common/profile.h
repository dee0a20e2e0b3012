// One key of an INI file at a time, through the ANSI profile-string functions.
#pragma once
#include <string>

namespace zarvo {

// Reads one value through a 256-character buffer, so at most 255 characters
// come back. A missing file, section or key gives sDefault.
std::string ReadProfileText(const std::string& sPath, const char* sSection,
                            const char* sKey, const char* sDefault);

// Writes one value; the result is not examined by the callers.
bool WriteProfileText(const std::string& sPath, const char* sSection,
                      const char* sKey, const std::string& sValue);

// The numeric value of a key (see numvalue.h) and its flag reading.
double ReadProfileNumber(const std::string& sPath, const char* sSection,
                         const char* sKey, const char* sDefault);
bool ReadProfileFlag(const std::string& sPath, const char* sSection,
                     const char* sKey, const char* sDefault);

}  // namespace zarvo
