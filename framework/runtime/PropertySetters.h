#pragma once

#include <string>

#include "framework/runtime/Object.h"
#include "framework/runtime/Properties.h"

namespace fw {

// Design-property setters that hand a typed value to a member setter of class C.
template <class C, void (C::*Setter)(int32_t)>
void IntSetter(Object& object, const std::string& name, const Value& value) {
  (static_cast<C&>(object).*Setter)(ValueAsInt32(value, name));
}

template <class C, void (C::*Setter)(bool)>
void BoolSetter(Object& object, const std::string& name, const Value& value) {
  (static_cast<C&>(object).*Setter)(ValueAsBoolean(value, name));
}

template <class C, void (C::*Setter)(const std::string&)>
void StringSetter(Object& object, const std::string& name, const Value& value) {
  (static_cast<C&>(object).*Setter)(ValueAsString(value, name));
}

template <class C, void (C::*Setter)(Color)>
void ColorSetter(Object& object, const std::string& name, const Value& value) {
  (static_cast<C&>(object).*Setter)(ValueAsColor(value, name));
}

}  // namespace fw
