#pragma once

#include <cstdint>
#include <string>

#include "framework/runtime/Object.h"
#include "framework/runtime/Ref.h"

namespace fw {

// The bytes of a structure as a string (a byte string, not text).
std::string RuntimeGetStructureContents(const void* address, int32_t length);
// Copies a byte string into a structure of the given length: a shorter string fills the rest
// with zeros, a longer one is cut.
void RuntimeSetStructureString(void* address, int32_t length, const std::string& bytes);

// A value of any kind; here, a structure value with the name of its type.
class Variant : public Object {
 public:
  static const ClassRecord* __Lookup();

  std::string structureType;  // empty when the value is not a structure
  std::string bytes;
};

Ref<Variant> StructureToVariant(const std::string& bytes, const std::string& typeName);
// Raises FailedCastException unless the value is a structure of that type.
void VariantStructureTypeCheck(const Ref<Object>& value, const std::string& typeName);
// The bytes of a structure value.
std::string VariantToString(const Ref<Object>& value);

}  // namespace fw
