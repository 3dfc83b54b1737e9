#include "framework/text/Text.h"

#include <QString>

namespace fw {

std::string Uppercase(const std::string& text) {
  return QString::fromStdString(text).toUpper().toStdString();
}

}  // namespace fw
