// An INI file read as text, line by line, to see what the profile functions
// would hide: a section that appears twice, a line that is neither a section
// nor a key, a key written twice into one section.
#pragma once
#include <map>
#include <string>
#include <vector>

namespace initext {

struct File {
  std::vector<std::string> sections;  // in file order
  std::map<std::string, std::vector<std::pair<std::string, std::string>>> keys;  // by section
  std::vector<std::string> duplicates;  // sections or "section/key" seen twice
  std::vector<std::string> malformed;   // lines that are neither
};

inline std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return s;
}

// Lines end with CR LF; blank lines are allowed anywhere.
inline File Parse(const std::string& sText) {
  File f;
  std::string section;
  bool inSection = false;
  size_t pos = 0;
  while (pos < sText.size()) {
    size_t eol = sText.find("\r\n", pos);
    const bool lastLine = eol == std::string::npos;
    std::string line = sText.substr(pos, lastLine ? std::string::npos : eol - pos);
    pos = lastLine ? sText.size() : eol + 2;
    if (line.empty()) continue;
    if (line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
      inSection = true;
      for (const std::string& s : f.sections)
        if (Lower(s) == Lower(section)) f.duplicates.push_back(section);
      f.sections.push_back(section);
      continue;
    }
    const size_t eq = line.find('=');
    if (!inSection || eq == std::string::npos || eq == 0 || lastLine) {
      f.malformed.push_back(line);
      continue;
    }
    auto& list = f.keys[Lower(section)];
    const std::string key = line.substr(0, eq);
    for (const auto& kv : list)
      if (Lower(kv.first) == Lower(key)) f.duplicates.push_back(section + "/" + key);
    list.emplace_back(key, line.substr(eq + 1));
  }
  return f;
}

// The first value of a key; "(missing)" when there is none.
inline std::string Value(const File& f, const std::string& sSection, const std::string& sKey) {
  auto it = f.keys.find(Lower(sSection));
  if (it != f.keys.end())
    for (const auto& kv : it->second)
      if (Lower(kv.first) == Lower(sKey)) return kv.second;
  return "(missing)";
}

}  // namespace initext
