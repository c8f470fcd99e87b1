#include "MessageQueue.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records what it receives; optionally releases its own handle on a message.
class TRecorder : public TWindowTarget {
public:
  TRecorder() : Handle(AllocateHWnd(this)) {}
  ~TRecorder() { DeallocateHWnd(Handle); }
  void DispatchWindowMessage(TMessage& m) override {
    Received.push_back(m.Msg);
    m.Result = static_cast<LRESULT>(m.WParam + m.LParam);
    if (m.Msg == WM_USER + 1) PostMessage(Handle, WM_USER + 2);
  }
  HWND Handle;
  std::vector<unsigned> Received;
};

void Drain() {
  while (DispatchNextMessage()) {
  }
}

TEST(MessageQueue, PostIsQueuedSendIsImmediate) {
  Drain();
  TRecorder w;
  EXPECT_TRUE(PostMessage(w.Handle, WM_CLOSE));
  EXPECT_EQ(SendMessage(w.Handle, WM_USER + 10, 3, 4), 7);
  EXPECT_EQ(w.Received, (std::vector<unsigned>{WM_USER + 10}));
  EXPECT_EQ(PendingMessageCount(), 1u);
  // A message posted while the queue runs is delivered in the same drain.
  PostMessage(w.Handle, WM_USER + 1);
  Drain();
  EXPECT_EQ(w.Received, (std::vector<unsigned>{WM_USER + 10, WM_CLOSE, WM_USER + 1, WM_USER + 2}));
}

TEST(MessageQueue, MessageToDestroyedWindowIsDropped) {
  Drain();
  HWND stale;
  {
    TRecorder w;
    stale = w.Handle;
    PostMessage(w.Handle, WM_CLOSE);
  }
  EXPECT_FALSE(IsWindow(stale));
  // The new window never gets the old one's handle or its queued message.
  TRecorder fresh;
  EXPECT_NE(fresh.Handle, stale);
  EXPECT_TRUE(DispatchNextMessage());
  EXPECT_TRUE(fresh.Received.empty());
  EXPECT_FALSE(PostMessage(stale, WM_CLOSE));
  EXPECT_EQ(SendMessage(stale, WM_CLOSE), 0);
  EXPECT_FALSE(DispatchNextMessage());
}

TEST(MessageQueue, FilterSeesAndCanStopMessages) {
  Drain();
  struct TStopClose : TMessageFilter {
    void FilterMessage(HWND, TMessage& m, bool& handled) override {
      Seen.push_back(m.Msg);
      handled = m.Msg == WM_CLOSE;
    }
    std::vector<unsigned> Seen;
  } filter;
  SetMessageFilter(&filter);
  TRecorder w;
  PostMessage(w.Handle, WM_CLOSE);
  PostMessage(w.Handle, WM_USER + 5);
  PostQuitMessage(0);
  Drain();
  SetMessageFilter(nullptr);
  EXPECT_EQ(filter.Seen, (std::vector<unsigned>{WM_CLOSE, WM_USER + 5, WM_QUIT}));
  EXPECT_EQ(w.Received, (std::vector<unsigned>{WM_USER + 5}));
}

}  // namespace
