#pragma once

#include <string>

#include "framework/runtime/Object.h"
#include "framework/runtime/Ref.h"

namespace fw {

// The system object: localised texts, and later the pointer and the cursors.
class SystemObject : public Object {
 public:
  static const ClassRecord* __Lookup();

  // The text stored for the key in that language (an empty language is the default one), else
  // the default text.
  std::string _GetLocalizedString(const std::string& key, const std::string& defaultText,
                                   const std::string& language) const;
};

// The system object, made on first use and kept for the life of the process.
Ref<SystemObject> System();

// Fills the table of localised texts (empty unless filled); ClearLocalizedStrings empties it.
void SetLocalizedString(const std::string& key, const std::string& language,
                        const std::string& text);
void ClearLocalizedStrings();

}  // namespace fw
