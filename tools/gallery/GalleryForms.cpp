#include "tools/gallery/GalleryForms.h"

#include <cstdio>
#include <string>

#include "framework/controls/Label.h"
#include "framework/controls/MenuItem.h"
#include "framework/controls/Panel.h"
#include "framework/controls/Timer.h"
#include "framework/forms/Application.h"
#include "platform/window/WindowApi.h"
#include "skin/TskSkinData.h"
#include "skinforms/TskFormFrame.h"
#include "skinforms/TskSkinPopupMenu.h"
#include "skinforms/TskTrayIcon.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinPanel.h"
#include "tools/gallery/GalleryPages.h"

namespace tsm {

namespace {

TskSkinButton* MakeButton(TCustomForm* owner, TWinControl* parent, TskSkinData* skin, const std::string& caption,
                          int32_t left, int32_t width) {
  auto* b = new TskSkinButton(owner);
  b->SetParent(parent);
  b->SetSkinData(skin);
  b->SetBounds(left, 6, width, 25);
  b->SetCaption(caption);
  return b;
}

TskSkinPanel* MakePanel(TCustomForm* owner, TWinControl* parent, TskSkinData* skin, TAlign align) {
  auto* p = new TskSkinPanel(owner);
  p->SetParent(parent);
  p->SetSkinData(skin);
  p->SetAlign(align);
  p->SetCaption("");
  return p;
}

TMenuItem* AddItem(TMenuItem* parent, const std::string& caption, TNotifyEvent click = nullptr) {
  auto* item = new TMenuItem(parent->Owner());
  item->SetCaption(caption);
  item->OnClick = std::move(click);
  parent->Add(item);
  return item;
}

// Rows of the button bar: 25-pixel buttons 4 pixels apart (as the page
// buttons stand side by side), so that three rows leave the pages room.
constexpr int32_t kBarRow = 29;
constexpr int32_t kPageButtonWidth = 80;

}  // namespace

// --- The dialog -------------------------------------------------------------------

TGalleryDialog::TGalleryDialog(TComponent* owner, TskSkinData* skin) : TForm(owner) {
  SetName("GalleryDialog");
  SetCaption("转换参数");
  SetPosition(TPosition::poScreenCenter);
  m_frame = new TskFormFrame(this);
  m_frame->SetName("skFormFrame1");
  m_frame->SetBorderIcons({});
  m_frame->Magnetic = true;
  m_frame->MagneticSize = 5;
  m_frame->SetSkinData(skin);
  SetClientSize(540, 264);
  auto* text = new TLabel(this);
  text->SetParent(this);
  text->SetBounds(24, 24, 0, 0);
  text->SetTransparent(true);
  text->SetCaption("转换参数对话框的大小: 540 × 264");
  auto* body = MakePanel(this, this, skin, TAlign::alClient);
  text->SetParent(body);
  m_close = MakeButton(this, body, skin, "关闭", 400, 113);
  m_close->SetTop(222);
  m_close->OnClick = [this](TObject*) { Close(); };
}

// --- The main window --------------------------------------------------------------

TGalleryMainForm::TGalleryMainForm(TComponent* owner) : TForm(owner), m_skin(this) {
  SetName("GalleryMainForm");
  SetCaption("Tesmaro 组件样例");
  SetPosition(TPosition::poScreenCenter);
  m_frame = new TskFormFrame(this);
  m_frame->SetName("skFormFrame1");
  m_frame->SetBorderIcons({TskBorderIcon::biMinimize, TskBorderIcon::biMaximize});
  m_frame->Magnetic = true;
  m_frame->MagneticSize = 5;
  m_frame->DefMenuItemHeight = 23;
  m_frame->SetSkinData(m_skin.SkinData());
  SetClientSize(785, 419);

  TskSkinData* skin = m_skin.SkinData();
  m_bar = MakePanel(this, this, skin, TAlign::alTop);
  m_bar->SetHeight(kBarRow + 6);
  m_skinButton = MakeButton(this, m_bar, skin, "切换外观", 8, 96);
  m_skinButton->OnClick = [this](TObject*) { ToggleSkin(); };
  m_dialogButton = MakeButton(this, m_bar, skin, "转换参数...", 110, 96);
  m_dialogButton->OnClick = [this](TObject*) { ShowDialog(); };
  m_menuButton = MakeButton(this, m_bar, skin, "菜单", 212, 70);
  m_menuButton->OnClick = [this](TObject*) { PopupMenu(); };
  m_status = new TLabel(this);
  m_status->SetParent(m_bar);
  m_status->SetBounds(300, 12, 0, 0);
  m_status->SetTransparent(true);
  m_status->SetCaption("外观: 内置");

  m_menu = new TskSkinPopupMenu(this);
  m_menu->SetName("skSkinPopupMenu1");
  TMenuItem* root = m_menu->Items();
  AddItem(root, "切换外观(&S)", [this](TObject*) { ToggleSkin(); });
  AddItem(root, "转换参数(&P)...", [this](TObject*) { ShowDialog(); });
  AddItem(root, "-");
  TMenuItem* view = AddItem(root, "窗口(&W)");
  AddItem(view, "最大化(&X)", [this](TObject*) { m_frame->SetFormWindowState(TskFrameState::wsMaximized); });
  AddItem(view, "还原(&R)", [this](TObject*) { m_frame->SetFormWindowState(TskFrameState::wsNormal); });
  // Taller than the work area: the sub-menu scrolls on its bands.
  TMenuItem* longMenu = AddItem(root, "长菜单(&L)");
  for (int i = 1; i <= kLongMenuItems; ++i) AddItem(longMenu, "第 " + std::to_string(i) + " 项");
  TMenuItem* checked = AddItem(root, "选中的项");
  checked->SetAutoCheck(true);
  checked->SetChecked(true);
  AddItem(root, "不可用的项")->SetEnabled(false);
  AddItem(root, "-");
  AddItem(root, "关闭(&C)", [this](TObject*) { Close(); })->SetShortCut(TextToShortCut("Alt+F4"));
  SetPopupMenu(m_menu);

  // The page selector in rows below the first one, and the pages.
  m_pageArea = MakePanel(this, this, skin, TAlign::alClient);
  int32_t left = 8, top = 6 + kBarRow;
  for (const TGalleryPage& page : GalleryPages()) {
    if (left + kPageButtonWidth > ClientWidth() - 8) {
      left = 8;
      top += kBarRow;
    }
    m_bar->SetHeight(top + kBarRow);
    TskSkinPanel* panel = MakePanel(this, m_pageArea, skin, TAlign::alClient);
    panel->SetBorderStyle(TskSkinBorderStyle::bvNone);
    panel->SetVisible(false);
    const size_t index = m_pages.size();
    m_pages.push_back(panel);
    m_builders.push_back(page.Build);
    TskSkinButton* select = MakeButton(this, m_bar, skin, page.Title, left, kPageButtonWidth);
    select->SetTop(top);
    select->OnClick = [this, index](TObject*) { ShowPage(index); };
    m_pageButtons.push_back(select);
    left += kPageButtonWidth + 4;
  }
  if (!m_pages.empty()) ShowPage(0);
}

void TGalleryMainForm::ShowPage(size_t index) {
  // A page is built when it is first shown, so that the window comes up
  // without waiting for every page.
  if (index < m_builders.size() && m_builders[index]) {
    const TGalleryPageBuilder build = std::move(m_builders[index]);
    m_builders[index] = nullptr;
    TGalleryPageContext context{*this, *m_pages[index], m_skin.SkinData()};
    build(context);
  }
  for (size_t i = 0; i < m_pages.size(); ++i) m_pages[i]->SetVisible(i == index);
}

void TGalleryMainForm::ToggleSkin() {
  m_skin.SetOn(!m_skin.On());
  m_status->SetCaption(m_skin.On() ? "外观: 内置" : "外观: 无");
}

void TGalleryMainForm::ShowDialog() {
  if (m_dialog) m_dialog->Show();
}

void TGalleryMainForm::PopupMenu() {
  const TRect r = m_menuButton->BoundsRect();
  const TPoint bottomLeft = m_bar->ClientToScreen({r.Left, r.Bottom});
  const TPoint topLeft = m_bar->ClientToScreen({r.Left, r.Top});
  m_menu->PopupAtRect(m_menuButton, {topLeft.X, topLeft.Y, topLeft.X + r.Width(), bottomLeft.Y});
}

TGalleryMainForm* CreateGallery(TApplication& application) {
  auto* main = application.CreateForm<TGalleryMainForm>();
  auto* dialog = application.CreateForm<TGalleryDialog>(main->Skin().SkinData());
  main->SetDialog(dialog);
  return main;
}

// --- The log ----------------------------------------------------------------------

TGalleryLog::TGalleryLog(TGalleryMainForm& main) : m_main(main) {
  m_timer = new TTimer(&main);
  m_timer->SetInterval(50);
  m_timer->OnTimer = [this](TObject*) { Check(); };
  const auto menuEvents = [](TskFormFrame* frame, const char* name) {
    frame->OnSkinMenuOpen = [name](TObject*) { std::printf("menu open %s\n", name), std::fflush(stdout); };
    frame->OnSkinMenuClose = [name](TObject*) { std::printf("menu close %s\n", name), std::fflush(stdout); };
  };
  menuEvents(main.Frame(), "main");
  if (main.Dialog()) menuEvents(main.Dialog()->Frame(), "dialog");
}

TGalleryLog::~TGalleryLog() = default;

void TGalleryLog::Check() {
  static constexpr const char* kStates[] = {"normal", "minimized", "maximized"};
  struct TEntry {
    const char* Name;
    TCustomForm* Form;
    TskFormFrame* Frame;
  };
  std::vector<TEntry> entries{{"main", &m_main, m_main.Frame()}};
  if (m_main.Dialog()) entries.push_back({"dialog", m_main.Dialog(), m_main.Dialog()->Frame()});
  m_last.resize(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    const TEntry& e = entries[i];
    if (!e.Form->HandleAllocated() || !e.Form->Visible()) continue;
    const TRect r = GetWindowRect(e.Form->Handle());
    char line[160];
    std::snprintf(line, sizeof line, "state %s %s %d %d %d %d %d %d", e.Name,
                  kStates[static_cast<int>(e.Frame->WindowState())], e.Frame->RollUpState() ? 1 : 0,
                  IsIconic(e.Form->Handle()) ? 1 : 0, r.Left, r.Top, r.Width(), r.Height());
    if (line != m_last[i]) {
      m_last[i] = line;
      std::printf("%s\n", line);
    }
  }
  for (size_t i = 0; i < m_main.ComponentCount(); ++i)
    if (auto* tray = dynamic_cast<TskTrayIcon*>(m_main.Components(i))) {
      const std::string line = std::string("tray ") + (tray->Shown() ? "1" : "0") + (tray->HiddenInTray() ? " 1" : " 0");
      if (line != m_tray) {
        m_tray = line;
        std::printf("%s\n", line.c_str());
      }
    }
  if (m_main.Skin().On() != m_skinOn) {
    m_skinOn = m_main.Skin().On();
    std::printf("skin %s\n", m_skinOn ? "on" : "off");
  }
  std::fflush(stdout);
}

}  // namespace tsm
