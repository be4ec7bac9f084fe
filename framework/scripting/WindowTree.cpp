#include "framework/scripting/WindowTree.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "framework/base/SysUtils.h"
#include "framework/controls/StateDescription.h"
#include "framework/controls/WinControl.h"
#include "platform/window/WindowApi.h"

namespace tsm {

namespace {

using TEntry = TWindowTree::TEntry;

TJsonValue RectJson(const TRect& r) {
  TJsonValue v = TJsonValue::Object();
  v.Set("left", r.Left);
  v.Set("top", r.Top);
  v.Set("right", r.Right);
  v.Set("bottom", r.Bottom);
  return v;
}

TRect RectOf(const TJsonValue& v) {
  return {int32_t(v["left"].AsInt()), int32_t(v["top"].AsInt()), int32_t(v["right"].AsInt()),
          int32_t(v["bottom"].AsInt())};
}

TRect ScreenRect() {
  TRect screen;
  for (const TMonitorInfo& m : GetMonitors()) screen = screen.United(m.Bounds);
  return screen;
}

// Builds the document and the entry list in one walk. Entries come topmost
// first: a node's controls (topmost first, each with its own subtree before
// it), then its items, then the node itself.
class TTreeBuilder {
 public:
  explicit TTreeBuilder(std::vector<TEntry>* entries) : m_entries(entries) {}

  TJsonValue Window(HWND wnd) {
    TControl* control = TWinControl::FindControl(wnd);
    const TRect bounds = GetWindowRect(wnd);
    const TRect client = GetClientRect(wnd).Offsetted(ClientToScreen(wnd, {0, 0}));
    const bool shown = IsWindowVisible(wnd) && !IsIconic(wnd);
    TJsonValue base = TJsonValue::Object();
    base.Set("caption", GetWindowText(wnd));
    base.Set("className", control ? ClassNameOf(*control) : std::string("window"));
    base.Set("name", control ? control->Name() : std::string());
    base.Set("bounds", RectJson(bounds));
    base.Set("clientRect", RectJson(client));
    base.Set("windowState", IsIconic(wnd) ? "minimized" : IsZoomed(wnd) ? "maximized" : "normal");
    base.Set("visible", IsWindowVisible(wnd));
    base.Set("enabled", IsWindowEnabled(wnd));
    base.Set("active", GetActiveWindow() == wnd);
    base.Set("opacity", (GetWindowExStyle(wnd) & WS_EX_LAYERED) ? int32_t(GetWindowOpacity(wnd)) : 255);
    base.Set("hasRegion", GetWindowRgn(wnd).has_value());
    TStateDescription state(std::move(base));
    Ask(control, wnd, state);

    TEntry self;
    self.Kind = TEntry::TKind::Window;
    self.Text = ComparableText(state.Fields()["caption"].AsString());
    self.Name = state.Fields()["name"].AsString();
    self.Bounds = RectOf(state.Fields()["bounds"]).Intersected(ScreenRect());
    self.Shown = shown && !self.Bounds.IsEmpty();
    self.Enabled = state.Fields()["enabled"].AsBool(true);
    self.InputWindow = wnd;
    self.TopLevel = wnd;
    return Finish(control, wnd, state, self, shown, client.Intersected(self.Bounds));
  }

  TJsonValue Control(TControl* control, const TRect& clip, bool parentShown, HWND topLevel) {
    TWinControl* windowed = dynamic_cast<TWinControl*>(control);
    const HWND wnd = windowed && windowed->HandleAllocated() ? windowed->Handle() : HWND();
    TRect bounds = control->BoundsRect();
    if (wnd) bounds = GetWindowRect(wnd);
    else if (TWinControl* parent = control->Parent()) bounds.Offset(parent->ClientOrigin());
    TJsonValue base = TJsonValue::Object();
    base.Set("className", ClassNameOf(*control));
    base.Set("name", control->Name());
    base.Set("text", control->Text());
    base.Set("bounds", RectJson(bounds));
    base.Set("visible", parentShown && control->Visible());
    base.Set("enabled", control->Enabled());
    base.Set("focused", windowed && windowed->Focused());
    TStateDescription state(std::move(base));
    Ask(control, wnd, state);

    TEntry self;
    self.Text = ComparableText(state.Fields()["text"].AsString());
    self.Name = state.Fields()["name"].AsString();
    self.Bounds = RectOf(state.Fields()["bounds"]).Intersected(clip);
    self.Shown = state.Fields()["visible"].AsBool() && !self.Bounds.IsEmpty();
    self.Enabled = state.Fields()["enabled"].AsBool(true);
    self.InputWindow = wnd ? wnd : InputWindowOf(control);
    self.TopLevel = topLevel;
    TRect childClip;
    if (windowed) {
      const TPoint origin = windowed->ClientOrigin();
      childClip = windowed->ClientRect().Offsetted(origin).Intersected(self.Bounds);
    }
    return Finish(control, wnd, state, self, state.Fields()["visible"].AsBool(), childClip);
  }

  // A window that is not a control of this framework, inside one that is not
  // either.
  TJsonValue PlainChild(HWND wnd, const TRect& clip, bool parentShown, HWND topLevel) {
    const TRect bounds = GetWindowRect(wnd);
    TJsonValue base = TJsonValue::Object();
    base.Set("className", "window");
    base.Set("name", "");
    base.Set("text", GetWindowText(wnd));
    base.Set("bounds", RectJson(bounds));
    base.Set("visible", parentShown && IsWindowVisible(wnd));
    base.Set("enabled", IsWindowEnabled(wnd));
    base.Set("focused", GetFocus() == wnd);
    TStateDescription state(std::move(base));
    Ask(nullptr, wnd, state);

    TEntry self;
    self.Text = ComparableText(state.Fields()["text"].AsString());
    self.Bounds = RectOf(state.Fields()["bounds"]).Intersected(clip);
    self.Shown = state.Fields()["visible"].AsBool() && !self.Bounds.IsEmpty();
    self.Enabled = state.Fields()["enabled"].AsBool(true);
    self.InputWindow = wnd;
    self.TopLevel = topLevel;
    const TRect client = GetClientRect(wnd).Offsetted(ClientToScreen(wnd, {0, 0}));
    return Finish(nullptr, wnd, state, self, state.Fields()["visible"].AsBool(),
                  client.Intersected(self.Bounds));
  }

 private:
  // Asks the control (through its WindowProc chain) or the window for its
  // fields. A describer that fails leaves a note instead of ending the dump.
  static void Ask(TControl* control, HWND wnd, TStateDescription& state) {
    try {
      if (control) control->Perform(CM_DESCRIBESTATE, 0, reinterpret_cast<LPARAM>(&state));
      else if (wnd) SendMessage(wnd, CM_DESCRIBESTATE, 0, reinterpret_cast<LPARAM>(&state));
    } catch (const std::exception& e) {
      state.Set("describeError", e.what());
    }
  }

  static HWND InputWindowOf(const TControl* control) {
    for (TWinControl* p = control->Parent(); p; p = p->Parent())
      if (p->HandleAllocated()) return p->Handle();
    return HWND();
  }

  // Adds the items and the controls to the node, and the entries in their
  // order. shown: the node and its parents are visible.
  TJsonValue Finish(TControl* control, HWND wnd, const TStateDescription& state, const TEntry& self, bool shown,
                    const TRect& childClip) {
    TJsonValue node = state.Fields();
    // Children first: they lie above the node and its items.
    std::vector<TJsonValue> children;
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
      children.resize(windowed->ControlCount());
      for (size_t i = children.size(); i-- > 0;)
        children[i] = Control(windowed->Controls(i), childClip, shown, self.TopLevel);
    } else if (!control && wnd) {
      const std::vector<HWND> kids = GetChildWindows(wnd);   // topmost first
      children.resize(kids.size());
      for (size_t i = 0; i < kids.size(); ++i)
        children[kids.size() - 1 - i] = PlainChild(kids[i], childClip, shown, self.TopLevel);
    }
    if (!state.Items().empty()) {
      TJsonValue items = TJsonValue::Array();
      for (const TStateItem& item : state.Items()) {
        TJsonValue v = TJsonValue::Object();
        v.Set("text", item.Text);
        v.Set("bounds", RectJson(item.Bounds));
        v.Set("enabled", item.Enabled);
        for (size_t f = 0; f < item.Fields.Size(); ++f) v.Set(item.Fields.KeyAt(f), item.Fields.At(f));
        items.Append(std::move(v));
      }
      node.Set("items", std::move(items));
      for (const TStateItem& item : state.Items()) {
        TEntry e;
        e.Kind = TEntry::TKind::Item;
        e.Text = ComparableText(item.Text);
        e.Bounds = item.Bounds.Intersected(self.Bounds);
        e.Shown = shown && !e.Bounds.IsEmpty();
        e.Enabled = item.Enabled;
        e.InputWindow = self.InputWindow;
        e.TopLevel = self.TopLevel;
        m_entries->push_back(std::move(e));
      }
    }
    if (!children.empty()) {
      TJsonValue list = TJsonValue::Array();
      for (TJsonValue& c : children) list.Append(std::move(c));
      node.Set("controls", std::move(list));
    }
    m_entries->push_back(self);
    return node;
  }

  std::vector<TEntry>* m_entries;
};

// A text as the user wrote it in a script: as it is shown, or as it stands
// in a caption (with its accelerator marks).
struct TWanted {
  explicit TWanted(std::string_view text) : Shown(Trim(text)), Caption(ComparableText(text)) {}
  bool Is(std::string_view comparable) const { return comparable == Shown || comparable == Caption; }
  // The whole text or one of its lines.
  bool InText(std::string_view comparable) const {
    if (Is(comparable)) return true;
    if (comparable.find('\n') == std::string_view::npos) return false;
    size_t start = 0;
    while (start <= comparable.size()) {
      size_t end = comparable.find('\n', start);
      if (end == std::string_view::npos) end = comparable.size();
      if (Is(Trim(comparable.substr(start, end - start)))) return true;
      start = end + 1;
    }
    return false;
  }
  std::string Shown;
  std::string Caption;
};

}  // namespace

TWindowTree TWindowTree::Capture() {
  TWindowTree tree;
  TTreeBuilder builder(&tree.m_entries);
  TJsonValue windows = TJsonValue::Array();
  for (HWND wnd : GetTopLevelWindows()) windows.Append(builder.Window(wnd));
  tree.m_document = TJsonValue::Object();
  tree.m_document.Set("screen", RectJson(ScreenRect()));
  tree.m_document.Set("workArea", RectJson(GetWorkArea()));
  tree.m_document.Set("windows", std::move(windows));
  return tree;
}

const TWindowTree::TEntry* TWindowTree::FindClickable(std::string_view text) const {
  const TWanted wanted(text);
  for (const TEntry& e : m_entries) {
    if (e.Kind == TEntry::TKind::Window || !e.Shown || !wanted.Is(e.Text)) continue;
    // The click lands on the entry's window, a child of it (a control's own
    // parts) or, for a disabled child, on a parent that takes its input.
    const HWND hit = WindowFromPoint(e.Bounds.CenterPoint());
    if (!hit || GetTopLevel(hit) != e.TopLevel) continue;
    if (hit == e.InputWindow || IsChild(e.InputWindow, hit) || IsChild(hit, e.InputWindow)) return &e;
  }
  return nullptr;
}

const TWindowTree::TEntry* TWindowTree::FindControl(std::string_view textOrName) const {
  const TWanted wanted(textOrName);
  for (const TEntry& e : m_entries)
    if (e.Kind != TEntry::TKind::Window && e.Shown && (wanted.Is(e.Text) || (!e.Name.empty() && e.Name == textOrName)))
      return &e;
  return nullptr;
}

bool TWindowTree::ShowsText(std::string_view text) const {
  const TWanted wanted(text);
  for (const TEntry& e : m_entries)
    if (e.Shown && wanted.InText(e.Text)) return true;
  return false;
}

HWND TWindowTree::FindWindow(std::string_view caption) const {
  const TWanted wanted(caption);
  for (const TEntry& e : m_entries)
    if (e.Kind == TEntry::TKind::Window && wanted.Is(e.Text) && IsWindowVisible(e.TopLevel)) return e.TopLevel;
  return HWND();
}

TJsonValue DescribeWindow(HWND wnd) {
  std::vector<TWindowTree::TEntry> entries;
  return TTreeBuilder(&entries).Window(wnd);
}

TJsonValue DescribeControl(TControl* control) {
  std::vector<TWindowTree::TEntry> entries;
  TRect clip{INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2};
  return TTreeBuilder(&entries).Control(control, clip, control->Showing(), HWND());
}

bool TextIs(std::string_view comparable, std::string_view wanted) { return TWanted(wanted).Is(comparable); }

std::string ComparableText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') out += '&', ++i;
      continue;
    }
    out += text[i];
  }
  return Trim(out);
}

std::string ClassNameOf(const TObject& object) {
  const char* mangled = typeid(object).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  std::string name = status == 0 && demangled ? demangled.get() : mangled;
  // Drop the namespaces, but not a "::" inside template arguments.
  const size_t angle = name.find('<');
  const size_t colon = name.rfind("::", angle == std::string::npos ? std::string::npos : angle);
  if (colon != std::string::npos) name.erase(0, colon + 2);
  return name;
}

}  // namespace tsm
