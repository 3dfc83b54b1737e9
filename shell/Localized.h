#pragma once

#include <string>

// A localised constant of the program: the text stored for the key in that language, else the
// default text. NilObjectException when there is no system object.
std::string LocalizedConstant(const char* key, const char* defaultText,
                              const std::string& language);
