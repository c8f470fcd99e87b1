#include "MessageQueue.h"

#include <deque>
#include <unordered_map>

namespace {

struct TQueued {
  HWND Handle;
  TMessage Message;
};

struct TQueueState {
  std::unordered_map<HWND, TWindowTarget*> Windows;
  std::deque<TQueued> Queue;
  HWND NextHandle = 0x1000;
  TMessageFilter* Filter = nullptr;
};

TQueueState& State() {
  static TQueueState state;
  return state;
}

}  // namespace

HWND AllocateHWnd(TWindowTarget* target) {
  TQueueState& s = State();
  HWND handle = s.NextHandle;
  s.NextHandle += 4;
  s.Windows[handle] = target;
  return handle;
}

void DeallocateHWnd(HWND handle) { State().Windows.erase(handle); }

bool IsWindow(HWND handle) { return State().Windows.count(handle) != 0; }

TWindowTarget* FindWindowTarget(HWND handle) {
  auto& windows = State().Windows;
  auto it = windows.find(handle);
  return it == windows.end() ? nullptr : it->second;
}

bool PostMessage(HWND handle, unsigned msg, WPARAM wParam, LPARAM lParam) {
  if (handle != 0 && !IsWindow(handle)) return false;
  State().Queue.push_back({handle, TMessage{msg, wParam, lParam, 0}});
  return true;
}

LRESULT SendMessage(HWND handle, unsigned msg, WPARAM wParam, LPARAM lParam) {
  TWindowTarget* target = FindWindowTarget(handle);
  if (!target) return 0;
  TMessage message{msg, wParam, lParam, 0};
  target->DispatchWindowMessage(message);
  return message.Result;
}

void PostQuitMessage(int exitCode) { PostMessage(0, WM_QUIT, static_cast<WPARAM>(exitCode)); }

void SetMessageFilter(TMessageFilter* filter) { State().Filter = filter; }

bool DispatchNextMessage() {
  TQueueState& s = State();
  if (s.Queue.empty()) return false;
  TQueued item = s.Queue.front();
  s.Queue.pop_front();
  bool handled = false;
  if (s.Filter) s.Filter->FilterMessage(item.Handle, item.Message, handled);
  // Looked up at delivery: the window may have gone since the post.
  if (!handled) {
    if (TWindowTarget* target = FindWindowTarget(item.Handle))
      target->DispatchWindowMessage(item.Message);
  }
  return true;
}

std::size_t PendingMessageCount() { return State().Queue.size(); }
