#include "framework/runtime/ClassRecord.h"

#include <memory>

#include "framework/runtime/Exceptions.h"

namespace fw {
namespace {

struct ClassTable {
  std::vector<std::unique_ptr<ClassRecord>> records;
};

// Deliberately never destroyed: class records outlive every object, including statics.
ClassTable& Table() {
  static ClassTable* table = new ClassTable;
  return *table;
}

}  // namespace

bool MemberRecord::HasAttribute(const std::string& attribute, const std::string& value) const {
  for (const Attribute& a : attributes) {
    if (a.name == attribute && a.value == value) return true;
  }
  return false;
}

bool ClassRecord::IsSubclassOf(const ClassRecord* other) const noexcept {
  for (const ClassRecord* c = this; c; c = c->parent) {
    if (c == other) return true;
  }
  return false;
}

const MemberRecord* ClassRecord::Member(const std::string& memberName) const {
  for (const MemberRecord& m : members) {
    if (m.name == memberName) return &m;
  }
  return nullptr;
}

PropertySetter ClassRecord::FindSetter(const std::string& property) const {
  for (const ClassRecord* c = this; c; c = c->parent) {
    auto it = c->setters.find(property);
    if (it != c->setters.end()) return it->second;
  }
  return nullptr;
}

ClassRecord* RuntimeDefineClass(const std::string& name, const ClassRecord* parent,
                                Object* (*create)()) {
  auto record = std::make_unique<ClassRecord>();
  record->name = name;
  record->parent = parent;
  record->create = create;
  if (parent) record->operations = parent->operations;
  ClassRecord* raw = record.get();
  Table().records.push_back(std::move(record));
  return raw;
}

const ClassRecord* RuntimeFindClass(const std::string& name) {
  for (const auto& record : Table().records) {
    if (record->name == name) return record.get();
  }
  return nullptr;
}

std::vector<std::string> RuntimeClassBuildOrder() {
  std::vector<std::string> names;
  for (const auto& record : Table().records) names.push_back(record->name);
  return names;
}

MemberRecord PublicMember(std::string name, std::string signature) {
  return {std::move(name), std::move(signature), {{"__Scope", "Public"}}};
}

MemberRecord PrivateMember(std::string name, std::string signature) {
  return {std::move(name), std::move(signature), {{"__Scope", "Private"}}};
}

MemberRecord HiddenMember(std::string name, std::string signature) {
  return {std::move(name), std::move(signature), {{"__Scope", "Public"}, {"Hidden", ""}}};
}

MemberRecord SharedMember(std::string name, std::string signature) {
  return {std::move(name), std::move(signature), {{"__Scope", "Public"}, {"__Shared", ""}}};
}

}  // namespace fw
