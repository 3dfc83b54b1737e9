#include "framework/runtime/Properties.h"

#include "framework/runtime/Runtime.h"

namespace fw {
namespace {

template <class T>
const T& As(const Value& value, const std::string& property, const char* kind) {
  if (const T* v = std::get_if<T>(&value)) return *v;
  RaiseRuntimeException("design property " + property + " takes " + kind);
}

}  // namespace

int32_t ValueAsInt32(const Value& value, const std::string& property) {
  return As<int32_t>(value, property, "an Int32");
}

bool ValueAsBoolean(const Value& value, const std::string& property) {
  return As<bool>(value, property, "a Boolean");
}

std::string ValueAsString(const Value& value, const std::string& property) {
  return As<std::string>(value, property, "a String");
}

Color ValueAsColor(const Value& value, const std::string& property) {
  return As<Color>(value, property, "a Color");
}

void StoreOnlySetter(Object& object, const std::string& name, const Value& value) {
  object.StoreProperty(name, value);
}

void _SetProperties(Object* object, const PropertyList& list) {
  Object& target = Checked(object);
  for (const auto& [name, value] : list) {
    PropertySetter setter = target.Class()->FindSetter(name);
    if (!setter) {
      RaiseRuntimeException("class " + target.Class()->name + " has no design property " + name);
    }
    setter(target, name, value);
  }
  target._DesignPropertiesApplied();
}

}  // namespace fw
