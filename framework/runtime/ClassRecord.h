#pragma once

#include <atomic>
#include <map>
#include <string>
#include <vector>

#include "framework/runtime/Ref.h"
#include "framework/runtime/Value.h"

namespace fw {

class Object;

struct Attribute {
  std::string name;   // "__Scope", "Hidden", "__Shared"
  std::string value;  // "Public", "Private", or empty
  bool operator==(const Attribute&) const = default;
};

// The four accessors of a structure property, for introspection: read and write its bytes,
// and read and write it as a Variant.
struct StructureAccessors {
  void (*read)(const Object& object, void* out) = nullptr;
  void (*write)(Object& object, const void* in) = nullptr;
  Ref<Object> (*readVariant)(const Object& object) = nullptr;
  void (*writeVariant)(Object& object, const Ref<Object>& value) = nullptr;
};

// One introspection record: a member with its signature or type and its attributes.
struct MemberRecord {
  std::string name;
  std::string signature;
  std::vector<Attribute> attributes;
  const StructureAccessors* accessors = nullptr;  // structure properties only
  bool HasAttribute(const std::string& attribute, const std::string& value = {}) const;
};

using PropertySetter = void (*)(Object& object, const std::string& name, const Value& value);

// Everything the runtime knows of a class. Built once per process, in RuntimePerformInitializers
// or at the first lookup, and never destroyed.
struct ClassRecord {
  std::string name;
  const ClassRecord* parent = nullptr;
  Object* (*create)() = nullptr;  // null for a class that cannot be instantiated
  std::vector<Attribute> attributes;
  std::vector<std::string> operations;  // the virtual operations in table order, own ones last
  std::vector<std::string> hookedEvents;
  std::vector<MemberRecord> members;
  std::map<std::string, PropertySetter> setters;  // design properties this class accepts

  std::atomic<long> created{0};
  std::atomic<long> live{0};

  bool IsSubclassOf(const ClassRecord* other) const noexcept;
  const MemberRecord* Member(const std::string& memberName) const;
  // The setter for a design property, searched from this class up to the root.
  PropertySetter FindSetter(const std::string& property) const;
};

// Registers a new class record under its name; the runtime keeps the records in building order.
ClassRecord* RuntimeDefineClass(const std::string& name, const ClassRecord* parent,
                                Object* (*create)());
const ClassRecord* RuntimeFindClass(const std::string& name);
// Names of every class record in the order they were built.
std::vector<std::string> RuntimeClassBuildOrder();

// The usual factory of a class record.
template <class T>
Object* RuntimeFactory() {
  return new T();
}

// Shorthands for introspection records.
MemberRecord PublicMember(std::string name, std::string signature);
MemberRecord PrivateMember(std::string name, std::string signature);
MemberRecord HiddenMember(std::string name, std::string signature);
MemberRecord SharedMember(std::string name, std::string signature);

}  // namespace fw
