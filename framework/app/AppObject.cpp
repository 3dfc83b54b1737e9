#include "framework/runtime/Runtime.h"
#include "framework/runtime/Startup.h"

namespace fw {
namespace {

Ref<Application> gAppObject;

}  // namespace

void _RuntimeRegisterAppObject(const Ref<Application>& app) {
  RuntimeTrace("_RuntimeRegisterAppObject");
  gAppObject = app;
}

Ref<Object> _GetAppObject() {
  return gAppObject;
}

namespace internal {

void ReleaseAppObject() {
  gAppObject.reset();
}

}  // namespace internal
}  // namespace fw
