#include "shell/Localized.h"

#include "framework/app/SystemObject.h"
#include "framework/runtime/Exceptions.h"

std::string LocalizedConstant(const char* key, const char* defaultText,
                              const std::string& language) {
  return fw::Checked(fw::System())._GetLocalizedString(key, defaultText, language);
}
