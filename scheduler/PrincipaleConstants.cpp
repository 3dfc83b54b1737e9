#include "scheduler/Principale.h"
#include "shell/Localized.h"

namespace scheduler {

std::string Principale::kDemarrerArreter(const std::string& language) {
  return LocalizedConstant("Principale.kDemarrerArreter", "Start or stop execution", language);
}

std::string Principale::kDecompte(const std::string& language) {
  return LocalizedConstant("Principale.kDecompte", "Countdown before execution", language);
}

std::string Principale::kDelaiExecution(const std::string& language) {
  return LocalizedConstant("Principale.kDelaiExecution", "Delay in seconds before execution",
                           language);
}

std::string Principale::kModifierDelai(const std::string& language) {
  return LocalizedConstant("Principale.kModifierDelai", "Modify the delay by a variation",
                           language);
}

}  // namespace scheduler
