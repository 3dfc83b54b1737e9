#pragma once

#include <string>

namespace fw {

// A NUL-terminated copy of a string for a native call; RuntimeUnlockCString releases it.
char* StringToCString(const std::string& text);
void RuntimeUnlockCString(char* text);

}  // namespace fw
