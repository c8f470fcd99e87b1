#pragma once
// Events are single-cast method pointers: an object and one of its member
// functions, as the platform's "procedure of object" types. They can be
// tested (Assigned), compared, saved and restored, so a caller can hook an
// event and chain to the handler it replaced:
//
//   FOldShow = Form->OnShow;                     // save
//   Form->OnShow = TNotifyEvent(this, &TMe::FormShow);
//   ...
//   void TMe::FormShow(TObject* Sender) { FOldShow(Sender); ... }   // chain
//   Form->OnShow = FOldShow;                     // restore
//
// Calling an unassigned event does nothing. A custom event type is a struct
// that derives from TEvent<Args...> and names itself (the name is the type
// name a property table reports):
//
//   struct TLookupEvent : TEvent<TObject*, std::string&> {
//     using TEvent::TEvent;
//     static constexpr const char* TypeName = "TLookupEvent";
//   };
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <typeinfo>
#include <utility>

#include "Set.h"

class TObject;

// The untyped form of an event handler: what GetMethodProp returns and
// SetMethodProp takes. Code identifies the member function, Data the object.
struct TMethodCode {
  using TInvoker = void (*)();
  TInvoker Invoker = nullptr;  // the typed thunk that calls Member on Data
  alignas(void*) unsigned char Member[2 * sizeof(void*)] = {};
  friend bool operator==(const TMethodCode&, const TMethodCode&) = default;
};

struct TMethod {
  TMethodCode Code;
  void* Data = nullptr;
  // The parameter list the handler takes (typeid of void(Args...)); events
  // only accept handlers of their own parameter list.
  const std::type_info* Signature = nullptr;

  bool Assigned() const { return Code.Invoker != nullptr; }
  friend bool operator==(const TMethod& a, const TMethod& b) {
    return a.Data == b.Data && a.Code == b.Code;
  }
};

template <class... Args>
class TEvent {
public:
  using TSignature = void(Args...);

  TEvent() = default;
  TEvent(std::nullptr_t) {}
  template <class T, class U>
    requires std::is_base_of_v<U, T>
  TEvent(T* object, void (U::*member)(Args...)) {
    if (object == nullptr || member == nullptr) return;
    FMethod.Code = CodeOf(member);
    FMethod.Data = static_cast<void*>(static_cast<U*>(object));
    FMethod.Signature = &typeid(TSignature);
  }

  // The code part of a handler for a member function; published method
  // tables keep it and bind it to an object by name.
  template <class U>
  static TMethodCode CodeOf(void (U::*member)(Args...)) {
    static_assert(sizeof(member) <= sizeof(TMethodCode::Member));
    TMethodCode code;
    std::memcpy(code.Member, &member, sizeof(member));
    code.Invoker = reinterpret_cast<TMethodCode::TInvoker>(&Thunk<U>);
    return code;
  }

  // The typed event for an untyped handler; empty when the handler takes
  // other parameters than this event passes.
  static TEvent FromMethod(const TMethod& method) {
    TEvent e;
    if (method.Assigned() && Accepts(method)) e.FMethod = method;
    return e;
  }
  static bool Accepts(const TMethod& method) {
    return method.Signature != nullptr && *method.Signature == typeid(TSignature);
  }

  const TMethod& Method() const { return FMethod; }
  void* Data() const { return FMethod.Data; }
  bool Assigned() const { return FMethod.Assigned(); }
  explicit operator bool() const { return Assigned(); }
  void Clear() { FMethod = TMethod{}; }

  void operator()(Args... args) const {
    if (!Assigned()) return;
    auto invoke = reinterpret_cast<void (*)(void*, const TMethodCode&, Args...)>(FMethod.Code.Invoker);
    invoke(FMethod.Data, FMethod.Code, std::forward<Args>(args)...);
  }

  friend bool operator==(const TEvent& a, const TEvent& b) { return a.FMethod == b.FMethod; }

private:
  template <class U>
  static void Thunk(void* data, const TMethodCode& code, Args... args) {
    void (U::*member)(Args...);
    std::memcpy(&member, code.Member, sizeof(member));
    (static_cast<U*>(data)->*member)(std::forward<Args>(args)...);
  }

  TMethod FMethod;
};

template <class... Args>
bool Assigned(const TEvent<Args...>& event) {
  return event.Assigned();
}

// The event types the forms and controls publish.
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

struct TNotifyEvent : TEvent<TObject*> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TNotifyEvent";
};
// Key: the virtual key code, set to 0 to consume the key.
struct TKeyEvent : TEvent<TObject*, std::uint16_t&, TShiftState> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TKeyEvent";
};
// Key: the character, set to '\0' to consume it.
struct TKeyPressEvent : TEvent<TObject*, char&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TKeyPressEvent";
};
struct TCloseEvent : TEvent<TObject*, TCloseAction&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TCloseEvent";
};
struct TCloseQueryEvent : TEvent<TObject*, bool&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TCloseQueryEvent";
};
// Sender, Button, Shift, X, Y.
struct TMouseEvent : TEvent<TObject*, TMouseButton, TShiftState, int, int> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TMouseEvent";
};
// Sender, Shift, X, Y.
struct TMouseMoveEvent : TEvent<TObject*, TShiftState, int, int> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TMouseMoveEvent";
};
// Sender, Source, X, Y, State, var Accept.
struct TDragOverEvent : TEvent<TObject*, TObject*, int, int, TDragState, bool&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TDragOverEvent";
};
// Sender, Source, X, Y.
struct TDragDropEvent : TEvent<TObject*, TObject*, int, int> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TDragDropEvent";
};
// Sender, var DragObject.
struct TStartDragEvent : TEvent<TObject*, TObject*&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TStartDragEvent";
};
// Sender, Target, X, Y.
struct TEndDragEvent : TEvent<TObject*, TObject*, int, int> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TEndDragEvent";
};
// Sender, Source (the dock object), X, Y.
struct TDockDropEvent : TEvent<TObject*, TObject*, int, int> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TDockDropEvent";
};
// Sender, Source, X, Y, State, var Accept.
struct TDockOverEvent : TEvent<TObject*, TObject*, int, int, TDragState, bool&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TDockOverEvent";
};
// Sender, Client, NewTarget, var Allow.
struct TUnDockEvent : TEvent<TObject*, TObject*, TObject*, bool&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TUnDockEvent";
};
// Sender, var DragObject.
struct TStartDockEvent : TEvent<TObject*, TObject*&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TStartDockEvent";
};
