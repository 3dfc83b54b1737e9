#pragma once

#include <string>

#include "framework/runtime/Object.h"
#include "framework/runtime/Ref.h"
#include "framework/ui/MouseCursor.h"

namespace fw {

// The system object: the pointer, the cursors, localised texts.
class SystemObject : public Object {
 public:
  static const ClassRecord* __Lookup();

  // The pointer's position in the global screen pixels of window positions.
  int32_t MouseX() const;
  int32_t MouseY() const;
  // Whether any mouse button is held now, anywhere on the screen and by anyone.
  bool MouseDown() const;
  Ref<fw::Cursors> Cursors() const;

  // The text stored for the key in that language (an empty language is the default one), else
  // the default text.
  std::string _GetLocalizedString(const std::string& key, const std::string& defaultText,
                                  const std::string& language) const;
};

// One turn of a long-running loop: lets the framework look after itself. Returns at once here.
void RuntimeBackgroundTask();

// The system object, made on first use and kept for the life of the process.
Ref<SystemObject> System();

// Fills the table of localised texts (empty unless filled); ClearLocalizedStrings empties it.
void SetLocalizedString(const std::string& key, const std::string& language,
                        const std::string& text);
void ClearLocalizedStrings();

}  // namespace fw
