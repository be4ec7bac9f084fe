#pragma once
// TWindowSystem: the one window system of the process. It owns every window,
// runs the message queue and the loop, and holds the parts that do the work:
//
//   TTimerQueue     message timers
//   TFocusManager   the active window, the focus and the mouse capture
//   TWindowPlacer   position, size, z-order and show state (SetWindowPos)
//   TPaintManager   update regions, WM_PAINT, device contexts, scrolling
//   TInputRouter    raw input -> mouse and key messages, double clicks,
//                   cursor, the move and size loop
//   TCaret          the text caret
//
// Code outside platform/window uses the free functions of WindowApi.h, which
// forward here. Everything runs on the thread that initialised the window
// system, except Post (PostMessage), which any thread may call.

#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/window/Backend.h"
#include "platform/window/Caret.h"
#include "platform/window/FocusManager.h"
#include "platform/window/InputRouter.h"
#include "platform/window/Messages.h"
#include "platform/window/PaintManager.h"
#include "platform/window/Timers.h"
#include "platform/window/Window.h"
#include "platform/window/WindowPlacer.h"

namespace tsm {

// What CreateWindowEx needs.
struct TWindowCreateParams {
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  uint32_t ClassStyle = CS_DBLCLKS;
  HWND Parent;          // the parent of a child window, the owner of a top-level window
  TRect Bounds;         // parent client coordinates (child) or screen coordinates
  std::string Text;
  TWndProc Proc;        // empty: DefWindowProc
  void* UserData = nullptr;
  void* CreateParam = nullptr;   // TCreateStruct::lpCreateParams
  TCursorShape Cursor = TCursorShape::Arrow;
  TColor Background = clBtnFace; // clNone: WM_ERASEBKGND erases nothing
  uint32_t ControlId = 0;
};

// Settings of the desktop that the window system applies and reports.
struct TSystemSettings {
  uint32_t DoubleClickTime = 500;   // ms
  TSize DoubleClickBox{4, 4};        // pixels; a second press may be half of it away
  uint32_t CaretBlinkTime = 530;    // ms per phase
  bool DragFullWindows = true;      // show the contents while moving and sizing
  int32_t FrameWidth = 4;           // sizing border of WS_THICKFRAME windows
  int32_t CaptionHeight = 19;       // caption of the default frame (WS_CAPTION)
  TSize SmallIcon{16, 16};
  TSize Icon{32, 32};
  TSize Cursor{32, 32};
};

class TWindowSystem {
 public:
  // The instance; the first call initialises it with CreateDefaultBackend().
  static TWindowSystem& Instance();
  // The instance, or nullptr when none is initialised.
  static TWindowSystem* Current();
  // Starts the window system on the given backend (replacing a running one).
  static TWindowSystem& Initialize(std::unique_ptr<TBackend> backend);
  // Destroys every window and the backend.
  static void Shutdown();
  // TM_BACKEND=headless|sdl decides; otherwise SDL2 when DISPLAY or
  // WAYLAND_DISPLAY is set and SDL starts, else headless.
  static std::unique_ptr<TBackend> CreateDefaultBackend();

  ~TWindowSystem();
  TWindowSystem(const TWindowSystem&) = delete;
  TWindowSystem& operator=(const TWindowSystem&) = delete;

  TBackend& Backend() { return *m_backend; }
  // The backend as the headless one, or nullptr.
  THeadlessBackend* Headless() { return m_headless; }

  TTimerQueue& Timers() { return m_timers; }
  TFocusManager& Focus() { return m_focus; }
  TWindowPlacer& Placer() { return m_placer; }
  TPaintManager& Painter() { return m_painter; }
  TInputRouter& Input() { return m_input; }
  TCaret& Caret() { return m_caret; }
  TSystemSettings& Settings() { return m_settings; }

  // --- Windows ---
  HWND Create(const TWindowCreateParams& params);
  bool Destroy(HWND wnd);
  TWindow* Find(HWND wnd) const;
  // Top-level windows in z-order, the topmost first.
  const std::vector<TWindow*>& TopLevels() const { return m_topLevels; }
  std::vector<TWindow*>& MutableTopLevels() { return m_topLevels; }
  size_t WindowCount() const { return m_windows.size(); }

  // --- Hierarchy and coordinates ---
  static TWindow* TopLevelOf(TWindow* w);
  static bool IsDescendant(const TWindow* w, const TWindow* ancestor);  // w == ancestor counts
  // Window origin in screen coordinates and in its top-level window.
  static TPoint ScreenOrigin(const TWindow* w);
  static TPoint OriginInTopLevel(const TWindow* w);
  static TPoint ClientScreenOrigin(const TWindow* w) { return ScreenOrigin(w) + w->ClientRect.TopLeft(); }
  // Visible flag on the window and every ancestor, and not minimized.
  static bool IsShowing(const TWindow* w);
  // Enabled itself and every ancestor.
  static bool IsEnabledForInput(const TWindow* w);
  // The deepest shown window under a screen point: top-level windows in
  // z-order with their shapes, then their enabled children (a disabled child
  // lets its parent receive the input). Windows in skip are passed over as
  // if they were not there (the window below, a sibling below, or the
  // parent is found instead).
  TWindow* WindowFromPoint(TPoint screen, const std::vector<const TWindow*>& skip = {}) const;
  static TWindow* ChildFromPoint(TWindow* parent, TPoint clientPoint, bool skipDisabled,
                                 const std::vector<const TWindow*>& skip = {});

  // --- Messages ---
  LRESULT Send(HWND wnd, uint32_t msg, WPARAM w, LPARAM l);
  LRESULT Send(TWindow* wnd, uint32_t msg, WPARAM w, LPARAM l) { return wnd ? Send(wnd->Handle(), msg, w, l) : 0; }
  // Thread-safe. A null window posts a thread message.
  bool Post(HWND wnd, uint32_t msg, WPARAM w, LPARAM l);
  void PostQuit(int exitCode);
  // Blocks until a message is there; false when it is WM_QUIT.
  bool GetMessage(TMsg& msg);
  // The next message without waiting; with remove false it stays queued.
  bool PeekMessage(TMsg& msg, bool remove);
  bool TranslateMessage(const TMsg& msg);
  LRESULT DispatchMessage(const TMsg& msg);
  // Dispatches everything that is waiting; false once WM_QUIT was seen (the
  // quit request stays pending for the outer loop).
  bool ProcessPendingMessages();
  bool QuitPending() const { return m_quitPending; }
  int QuitCode() const { return m_quitCode; }

  // Raw input from the backend.
  void QueueRawInput(TRawInput input) { m_input.Queue(std::move(input)); }

  uint64_t Now() { return m_backend->Now(); }
  // Time and cursor position of the message last taken from the queue.
  uint32_t MessageTime() const { return m_lastMessage.time; }
  TPoint MessagePos() const { return m_lastMessage.pt; }

  bool IsUiThread() const { return std::this_thread::get_id() == m_uiThread; }

 private:
  explicit TWindowSystem(std::unique_ptr<TBackend> backend);
  bool NextMessage(TMsg& msg, bool remove, bool wait);
  void DestroyTree(TWindow* w);
  void Unlink(TWindow* w);
  TMsg MakeMessage(HWND wnd, uint32_t msg, WPARAM w, LPARAM l);

  std::unique_ptr<TBackend> m_backend;
  THeadlessBackend* m_headless = nullptr;
  std::thread::id m_uiThread;

  std::unordered_map<uint32_t, std::shared_ptr<TWindow>> m_windows;
  std::vector<TWindow*> m_topLevels;
  uint32_t m_nextId = 16;

  std::mutex m_postLock;
  std::deque<TMsg> m_posted;   // guarded by m_postLock
  bool m_quitPending = false;
  int m_quitCode = 0;
  TMsg m_lastMessage;

  TTimerQueue m_timers;
  TFocusManager m_focus;
  TWindowPlacer m_placer;
  TPaintManager m_painter;
  TInputRouter m_input;
  TCaret m_caret;
  TSystemSettings m_settings;
};

}  // namespace tsm
