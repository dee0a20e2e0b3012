// An INI file in memory, for tests of the portable core. Names match without
// regard to case and reads are cut to 255 characters, as with the profile
// functions; values are kept as written (the real functions' trimming of
// blanks and quotes is checked against real files under Wine).
#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "sitestore/profile_store.h"

namespace marlock {

class MemoryProfileStore : public ProfileStore {
 public:
  struct Entry {
    std::string section, key, value;
  };

  std::string Read(const std::string& sSection, const std::string& sKey,
                   const std::string& sDefault) override {
    ++reads_;
    const Entry* e = Find(sSection, sKey);
    std::string v = e ? e->value : sDefault;
    return v.size() > 255 ? v.substr(0, 255) : v;
  }
  std::string ReadWhole(const std::string& sSection, const std::string& sKey,
                        const std::string& sDefault) override {
    ++reads_;
    const Entry* e = Find(sSection, sKey);
    return e ? e->value : sDefault;
  }
  void Write(const std::string& sSection, const std::string& sKey,
             const std::string& sValue) override {
    writes_.push_back({sSection, sKey, sValue});
    if (Entry* e = Find(sSection, sKey)) {
      e->value = sValue;
    } else {
      entries_.push_back({sSection, sKey, sValue});
    }
  }

  // Every write in order, as the file would have seen them.
  const std::vector<Entry>& Writes() const { return writes_; }
  int ReadCount() const { return reads_; }
  void Set(const std::string& sSection, const std::string& sKey, const std::string& sValue) {
    Write(sSection, sKey, sValue);
    writes_.pop_back();
  }

 private:
  static bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      char x = a[i], y = b[i];
      if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
      if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
      if (x != y) return false;
    }
    return true;
  }
  Entry* Find(const std::string& sSection, const std::string& sKey) {
    for (Entry& e : entries_) {
      if (SameName(e.section, sSection) && SameName(e.key, sKey)) return &e;
    }
    return nullptr;
  }

  std::vector<Entry> entries_;
  std::vector<Entry> writes_;
  int reads_ = 0;
};

}  // namespace marlock
