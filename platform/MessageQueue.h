#pragma once
// Window handles and the process's message queue. A handle is allocated on
// demand for a window (a control) and maps to it until released; handles are
// never reused, so a message queued for a window that has gone is dropped
// instead of reaching a newer one.
#include <cstddef>

#include "Messages.h"

// What a handle delivers its messages to.
class TWindowTarget {
public:
  virtual void DispatchWindowMessage(TMessage& message) = 0;

protected:
  ~TWindowTarget() = default;
};

HWND AllocateHWnd(TWindowTarget* target);
// Releases the handle; messages still queued for it are dropped when reached.
void DeallocateHWnd(HWND handle);
bool IsWindow(HWND handle);
TWindowTarget* FindWindowTarget(HWND handle);

// Queued: delivered by a later ProcessMessages or HandleMessage. False when
// the handle names no window (handle 0 posts a message to the application).
bool PostMessage(HWND handle, unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Immediate: delivered before it returns; 0 for a handle that names no window.
LRESULT SendMessage(HWND handle, unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Handle 0 in PostMessage: messages for the application itself.
void PostQuitMessage(int exitCode);

// Receives every queued message before it is delivered (the application's
// OnMessage); Handled true stops the delivery.
class TMessageFilter {
public:
  virtual void FilterMessage(HWND handle, TMessage& message, bool& handled) = 0;

protected:
  ~TMessageFilter() = default;
};
void SetMessageFilter(TMessageFilter* filter);

// Takes the first queued message and delivers it; false when the queue is
// empty. A message for a released handle is taken and dropped.
bool DispatchNextMessage();
std::size_t PendingMessageCount();
