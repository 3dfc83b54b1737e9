#include "framework/text/CString.h"

#include <cstring>

namespace fw {

char* StringToCString(const std::string& text) {
  char* copy = new char[text.size() + 1];
  std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

void RuntimeUnlockCString(char* text) {
  delete[] text;
}

}  // namespace fw
