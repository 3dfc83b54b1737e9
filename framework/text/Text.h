#pragma once

#include <string>

namespace fw {

// The text in upper case, Unicode-aware ("é" becomes "É"). Texts are UTF-8.
std::string Uppercase(const std::string& text);

}  // namespace fw
