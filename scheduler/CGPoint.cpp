#include <algorithm>
#include <cstring>

#include "framework/runtime/Structures.h"
#include "scheduler/Principale.h"

namespace scheduler {
namespace {

static_assert(sizeof(Principale::CGPoint) == 8, "a point is two 32-bit floats, x then y");

void ReverseBytes(float& value) {
  unsigned char bytes[sizeof value];
  std::memcpy(bytes, &value, sizeof value);
  std::reverse(std::begin(bytes), std::end(bytes));
  std::memcpy(&value, bytes, sizeof value);
}

}  // namespace

void Principale::CGPoint::EndianSwap() {
  ReverseBytes(x);
  ReverseBytes(y);
}

std::string Principale::CGPoint::StringValue(bool littleEndian) const {
  CGPoint copy = *this;
  if (!littleEndian) copy.EndianSwap();
  return fw::RuntimeGetStructureContents(&copy, sizeof copy);
}

void Principale::CGPoint::StringValue(bool littleEndian, const std::string& value) {
  fw::RuntimeSetStructureString(this, sizeof *this, value);
  if (!littleEndian) EndianSwap();
}

}  // namespace scheduler
