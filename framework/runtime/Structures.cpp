#include "framework/runtime/Structures.h"

#include <algorithm>
#include <cstring>

#include "framework/runtime/Runtime.h"

namespace fw {

std::string RuntimeGetStructureContents(const void* address, int32_t length) {
  if (!address || length <= 0) return {};
  return std::string(static_cast<const char*>(address), static_cast<size_t>(length));
}

void RuntimeSetStructureString(void* address, int32_t length, const std::string& bytes) {
  if (!address || length <= 0) return;
  const size_t size = static_cast<size_t>(length);
  const size_t copied = std::min(size, bytes.size());
  std::memcpy(address, bytes.data(), copied);
  std::memset(static_cast<char*>(address) + copied, 0, size - copied);
}

const ClassRecord* Variant::__Lookup() {
  static const ClassRecord* record =
      RuntimeDefineClass("Variant", Object::__Lookup(), &RuntimeFactory<Variant>);
  return record;
}

Ref<Variant> StructureToVariant(const std::string& bytes, const std::string& typeName) {
  Ref<Variant> value = RuntimeNew<Variant>();
  value->structureType = typeName;
  value->bytes = bytes;
  return value;
}

void VariantStructureTypeCheck(const Ref<Object>& value, const std::string& typeName) {
  Ref<Variant> variant = RuntimeCast<Variant>(value);
  if (!variant || variant->structureType != typeName) {
    RaiseFailedCastException("the value is not a structure of type " + typeName);
  }
}

std::string VariantToString(const Ref<Object>& value) {
  return Checked(RuntimeCast<Variant>(value)).bytes;
}

}  // namespace fw
