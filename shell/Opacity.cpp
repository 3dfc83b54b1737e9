#include "shell/Opacity.h"

#include <optional>

#include "framework/runtime/Exceptions.h"
#include "framework/text/CString.h"
#include "platform/native/NativeRuntime.h"

namespace WindowExtensions {
namespace {

class CStringHolder {
 public:
  explicit CStringHolder(const char* text) : text_(fw::StringToCString(text)) {}
  ~CStringHolder() { Release(); }
  CStringHolder(const CStringHolder&) = delete;
  CStringHolder& operator=(const CStringHolder&) = delete;
  const char* get() const { return text_; }
  void Release() {
    if (text_) fw::RuntimeUnlockCString(std::exchange(text_, nullptr));
  }

 private:
  char* text_;
};

}  // namespace

void Opacity(const fw::Ref<fw::Window>& w, float value) {
  fw::Ref<fw::Window> window = w;
  NativeExceptionFrame frame{};
  objc_exception_try_enter(&frame);
  std::optional<CStringHolder> name;
  try {
    name.emplace("setAlphaValue:");
    SEL selector = sel_registerName(name->get());
    if (!window) {
      objc_exception_try_exit(&frame);
      fw::RaiseNilObjectException("Opacity was set on a nil window");
    }
    objc_msgSend(window->Handle(), selector, value);
    objc_exception_try_exit(&frame);
  } catch (const NativeException&) {
    id exception = objc_exception_extract(&frame);
    name.reset();
    window.reset();
    fw::RaiseObjCException(exception);
  } catch (...) {
    // A framework exception (the window used off the main thread, say) leaves no native frame
    // behind: closing a frame that is no longer open does nothing.
    objc_exception_try_exit(&frame);
    throw;
  }
}

}  // namespace WindowExtensions
