#pragma once

#include <string>
#include <utility>
#include <vector>

#include "framework/runtime/Object.h"
#include "framework/runtime/Value.h"

namespace fw {

// A design-property list: (name, value) pairs applied in order.
using PropertyList = std::vector<std::pair<std::string, Value>>;

// Sets each listed property on the object through its class's named setters, then lets the object
// act on the list as a whole (a window's placement). An unknown name is a programming error and
// raises a RuntimeException; so does a value of the wrong kind.
void _SetProperties(Object* object, const PropertyList& list);

int32_t ValueAsInt32(const Value& value, const std::string& property);
bool ValueAsBoolean(const Value& value, const std::string& property);
std::string ValueAsString(const Value& value, const std::string& property);
Color ValueAsColor(const Value& value, const std::string& property);

// The setter of a property that this toolkit has no use for: the value is kept and reads back.
void StoreOnlySetter(Object& object, const std::string& name, const Value& value);

}  // namespace fw
