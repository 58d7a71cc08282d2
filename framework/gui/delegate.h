// Event handlers: a window's method bound to the window, with the signature
// text that the framework checks when the handler is wired to an event.
//
//   auto d = RuntimeCreateDelegate(self, &ControlWnd::VarFld_KeyDown,
//                                  "( TextField, String ) as Boolean");
//   RuntimeAddEventHandler(field, "KeyDown", d);
//
// The signature text is derived from the method's C++ types: a control
// parameter by its class name, std::string as String, int64_t as Integer,
// double as Double, a bool result as " as Boolean". A text that does not
// match the method, or a handler whose signature does not match the event,
// raises TypeMismatchException at once.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/object.h"

namespace delegate_detail {
template <typename T>
struct TypeName;
template <>
struct TypeName<std::string> {
  static std::string Get() { return "String"; }
};
template <>
struct TypeName<int64_t> {
  static std::string Get() { return "Integer"; }
};
template <>
struct TypeName<double> {
  static std::string Get() { return "Double"; }
};
template <>
struct TypeName<bool> {
  static std::string Get() { return "Boolean"; }
};
template <typename C>
struct TypeName<std::shared_ptr<C>> {
  static std::string Get() { return C::kClassName; }
};

template <typename R>
std::string ResultText() {
  if constexpr (std::is_void_v<R>)
    return "";
  else
    return " as " + TypeName<R>::Get();
}

template <typename R, typename... A>
std::string SignatureOf() {
  std::string params;
  ((params += (params.empty() ? "" : ", ") + TypeName<A>::Get()), ...);
  return "( " + params + " )" + ResultText<R>();
}
}  // namespace delegate_detail

// An event's further argument, after the control that raises it.
using EventArg = std::variant<std::string, int64_t, double, bool>;

// A bound handler, typed only by its signature text.
class RuntimeDelegate {
 public:
  explicit RuntimeDelegate(std::string signature) : signature_(std::move(signature)) {}
  virtual ~RuntimeDelegate() = default;
  const std::string& Signature() const { return signature_; }

  // How the framework calls the handler (internal/dispatch.h).
  struct Native;

 private:
  friend struct Native;
  // Calls the handler with sender as its first argument (when it takes one)
  // and args after it; the Boolean result, false for a handler without one.
  // The caller has checked the signature.
  virtual bool InvokeErased(const std::shared_ptr<Object>& sender,
                            const std::vector<EventArg>& args) const = 0;

  std::string signature_;
};

// A handler with result R and parameters A (decayed types).
template <typename R, typename... A>
class TypedDelegate : public RuntimeDelegate {
 public:
  TypedDelegate(std::string signature, std::function<R(A...)> fn)
      : RuntimeDelegate(std::move(signature)), fn_(std::move(fn)) {}

 private:
  bool InvokeErased(const std::shared_ptr<Object>& sender,
                    const std::vector<EventArg>& args) const override {
    return Call(sender, args, std::index_sequence_for<A...>{});
  }

  template <typename T>
  static T Extract(const std::shared_ptr<Object>& sender, const std::vector<EventArg>& args,
                   size_t i) {
    constexpr bool kWithSender =
        sizeof...(A) == 0 ? false : IsPtr<std::tuple_element_t<0, std::tuple<A...>>>::value;
    if constexpr (IsPtr<T>::value) {
      return Cast<typename T::element_type>(sender);
    } else {
      return std::get<T>(args.at(kWithSender ? i - 1 : i));
    }
  }
  template <size_t... I>
  bool Call(const std::shared_ptr<Object>& sender, const std::vector<EventArg>& args,
            std::index_sequence<I...>) const {
    if constexpr (std::is_same_v<R, bool>) {
      return fn_(Extract<A>(sender, args, I)...);
    } else {
      fn_(Extract<A>(sender, args, I)...);
      return false;
    }
  }
  template <typename T>
  struct IsPtr : std::false_type {};
  template <typename T>
  struct IsPtr<std::shared_ptr<T>> : std::true_type {};

  std::function<R(A...)> fn_;
};

using Delegate = std::shared_ptr<RuntimeDelegate>;

// Binds method to window. The window is held weakly (the window owns its
// controls, which hold the handler); calling the handler after the window
// is gone raises NilObjectException.
template <typename W, typename C, typename R, typename... A>
Delegate RuntimeCreateDelegate(const std::shared_ptr<W>& window, R (C::*method)(A...),
                               const std::string& signature) {
  static_assert(std::is_base_of_v<C, W>, "the method must belong to the window's class");
  NotNil(window);
  const std::string derived = delegate_detail::SignatureOf<R, std::remove_cvref_t<A>...>();
  if (derived != signature)
    throw TypeMismatchException("handler signature \"" + signature +
                                "\" does not match the method's \"" + derived + "\"");
  std::weak_ptr<W> weak = window;
  std::function<R(std::remove_cvref_t<A>...)> fn = [weak,
                                                    method](std::remove_cvref_t<A>... args) -> R {
    auto w = weak.lock();
    if (!w) throw NilObjectException("the handler's window is gone");
    return ((*w).*method)(std::move(args)...);
  };
  return std::make_shared<TypedDelegate<R, std::remove_cvref_t<A>...>>(signature, std::move(fn));
}

class Control;
// Wires handler to the control's event. Raises InvalidArgumentException for
// an event that the control's class does not have, TypeMismatchException
// when the handler's signature is not the event's, NilObjectException for an
// empty control or handler. A second handler replaces the first.
void RuntimeAddEventHandler(const std::shared_ptr<Control>& control, const std::string& event,
                            const Delegate& handler);
