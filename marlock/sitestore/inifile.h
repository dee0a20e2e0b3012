// cInifile: one INI file through the ANSI profile-string functions. The
// caller sets file, section, key and default, then reads or writes through
// Value or one of the methods. It also keeps a form's place and size in the
// current section, and converts text to whole numbers with a fallback.
//
// Profile-function failures are not errors: reads yield the default, writes
// leave their result in LastReturnCode, which Success reports. Nothing of the
// file stays in the object between calls.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "form.h"

namespace marlock {

class cInifile {
 public:
  // What the last write returned (non-zero: success); 0 after a failed
  // form-position call.
  int32_t LastReturnCode() const { return lastReturnCode_; }
  bool Success() const { return lastReturnCode_ != 0; }

  void Default(const std::string& sDefault) { default_ = sDefault; }
  const std::string& Default() const { return default_; }
  void Path(const std::string& sPath) { path_ = sPath; }
  const std::string& Path() const { return path_; }
  void Key(const std::string& sKey) { key_ = sKey; }
  const std::string& Key() const { return key_; }
  void Section(const std::string& sSection) { section_ = sSection; }
  const std::string& Section() const { return section_; }

  // The value under section and key (at most 254 characters); the default
  // when it is missing.
  std::string Value() const;
  // Writes the value without its NUL characters; the caller's string loses
  // them too.
  void Value(std::string& sValue);
  void Value(const std::string& sValue);

  void DeleteKey();
  void DeleteSection();

  // The names of the current section's keys, each followed by a NUL.
  std::string INISection() const;
  // Writes the section without a key, which removes the whole section.
  void INISection(const std::string& sSection);
  // The names of all sections of the file, each followed by a NUL.
  std::string Sections() const;

  // Fills sKey[0..iCount-1] with the current section's key names in file
  // order; an empty key name is kept.
  void EnumerateCurrentSection(std::vector<std::string>& sKey, int32_t& iCount) const;
  // Fills sSections[0..iCount-1] with the section names; empty names are
  // skipped.
  void EnumerateAllSections(std::vector<std::string>& sSections, int32_t& iCount) const;

  // Writes "Maximised" and, for a normal window, "Left", "Top", "Width" and
  // "Height" (twips) into the current section. A minimised window writes
  // nothing.
  void SaveFormPosition(zarvo::forms::Form& frmThis);
  // Places the form as saved in the current section, no smaller than the
  // limits (twips) and kept 4 pixels inside the screen; maximises it when
  // "Maximised" is set.
  void LoadFormPosition(zarvo::forms::Form& frmThis, int32_t lMinWidth, int32_t lMinHeight);

  // sString as a 32-bit whole number by the locale's rules (rounded to the
  // nearest), or lDefault when it is no such number.
  static int32_t CLngDefault(const std::string& sString, int32_t lDefault);

 private:
  std::string path_, key_, section_, default_;
  int32_t lastReturnCode_ = 0;
};

}  // namespace marlock
