#include "framework/app/SystemObject.h"

#include <QCursor>
#include <map>
#include <utility>

#include "framework/runtime/Runtime.h"
#include "platform/events/QuartzEvents.h"

namespace fw {
namespace {

using LocalizedKey = std::pair<std::string, std::string>;  // key, language

std::map<LocalizedKey, std::string>& LocalizedTable() {
  static std::map<LocalizedKey, std::string> table;
  return table;
}

Ref<SystemObject>& TheSystem() {
  static Ref<SystemObject> system;
  return system;
}

}  // namespace

const ClassRecord* SystemObject::__Lookup() {
  static const ClassRecord* record =
      RuntimeDefineClass("System", Object::__Lookup(), &RuntimeFactory<SystemObject>);
  return record;
}

std::string SystemObject::_GetLocalizedString(const std::string& key,
                                              const std::string& defaultText,
                                              const std::string& language) const {
  const auto& table = LocalizedTable();
  auto it = table.find({key, language});
  return it == table.end() ? defaultText : it->second;
}

// QCursor::pos() maps the server's pointer by the screen under it, the inverse of the mapping
// the clicks and warps go through (LogicalToServer).
int32_t SystemObject::MouseX() const {
  RuntimeCheckMainThread("System.MouseX");
  return QCursor::pos().x();
}

int32_t SystemObject::MouseY() const {
  RuntimeCheckMainThread("System.MouseY");
  return QCursor::pos().y();
}

bool SystemObject::MouseDown() const {
  RuntimeCheckMainThread("System.MouseDown");
  return CGEventSourcePressedButtons(kCGEventSourceStateCombinedSessionState) != 0;
}

Ref<fw::Cursors> SystemObject::Cursors() const {
  static Ref<fw::Cursors> cursors = RuntimeNew<fw::Cursors>();
  return cursors;
}

void RuntimeBackgroundTask() {
  RuntimeTrace("RuntimeBackgroundTask");
}

Ref<SystemObject> System() {
  if (!TheSystem()) TheSystem() = RuntimeNew<SystemObject>();
  return TheSystem();
}

void SetLocalizedString(const std::string& key, const std::string& language,
                        const std::string& text) {
  LocalizedTable()[{key, language}] = text;
}

void ClearLocalizedStrings() {
  LocalizedTable().clear();
}

}  // namespace fw
