#include "skinforms/TskOpenDlgForm.h"

#include <algorithm>

#include "framework/base/SysUtils.h"
#include "framework/controls/MenuItem.h"
#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"
#include "platform/window/VirtualKeys.h"
#include "skin/TskSkinData.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinEdit.h"
#include "skincontrols/TskSkinPanel.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "skinforms/DialogTexts.h"
#include "skinforms/TskFormFrame.h"
#include "skinforms/TskSkinFileListView.h"
#include "skinforms/TskSkinFilterComboBox.h"
#include "skinforms/TskSkinPopupMenu.h"
#include "skinforms/TskSkinShellComboBox.h"
#include "skinforms/TskSkinStdLabel.h"

namespace tsm {

namespace {

constexpr int32_t kToolButton = 27;
constexpr int32_t kMenuButton = 37;

TskSkinStdLabel* AddLabel(TskDialogForm* form, TWinControl* parent, const std::string& text, TskSkinData* skin) {
  auto* label = new TskSkinStdLabel(form);
  label->SetAutoSize(false);
  label->SetLayout(TTextLayout::tlCenter);
  label->SetShowAccelChar(false);
  label->SetSkinData(skin);
  label->SetParent(parent);
  label->SetBounds(0, 0, 63, 14);
  label->SetCaption(text);
  return label;
}

// Enter in an edit stays the edit's, for its OnKeyPress.
void KeepEnter(TskSkinEdit* edit) {
  const TWndMethod old = edit->WindowProc();
  edit->SetWindowProc([old](TMessage& m) {
    if (m.Msg == CM_WANTSPECIALKEY && m.WParam == VK_RETURN) {
      m.Result = 1;
      return;
    }
    old(m);
  });
}

}  // namespace

TskOpenDlgForm::TskOpenDlgForm(TComponent* owner, const TskOpenDialogSettings& settings)
    : TskDialogForm(owner), m_checkFileExists(settings.CheckFileExists) {
  ApplyLook(settings.Look);
  TskSkinData* skin = settings.Look.CtrlSkinData;
  const ui::TFont defaultFont{"宋体", 14};
  const ui::TFont& font = settings.DefaultFont ? *settings.DefaultFont : defaultFont;
  Frame().MenusAlphaBlend = settings.CtrlAlphaBlend;
  Frame().MenusAlphaBlendValue = settings.CtrlAlphaBlendValue;
  Frame().MenusAlphaBlendAnimation = settings.CtrlAlphaBlendAnimation;
  SetClientSize(450, 290);
  HandleNeeded();

  // --- Tool bar ---
  m_toolBar = AddPanel(this, "toolpanel", TAlign::alTop, 25, false);
  m_lookIn = AddLabel(this, m_toolBar, DialogText(skin, "FLV_LOOKIN", "查找范围:"), skin);
  m_folderCombo = new TskSkinShellComboBox(this);
  const bool toolCombo = skin && !skin->Empty() && skin->FindControlIndex("toolcombobox") >= 0;
  m_folderCombo->SetSkinDataName(toolCombo ? "toolcombobox" : "combobox");
  m_folderCombo->SetDropDownCount(10);
  m_folderCombo->SetFont(font);
  m_folderCombo->DefaultFont().Assign(font);
  m_folderCombo->ListBoxDefaultFont().Assign(font);
  m_folderCombo->SetAlphaBlend(settings.CtrlAlphaBlend);
  m_folderCombo->SetAlphaBlendValue(settings.CtrlAlphaBlendValue);
  m_folderCombo->SetAlphaBlendAnimation(settings.CtrlAlphaBlendAnimation);
  m_folderCombo->SetParent(m_toolBar);
  m_folderCombo->SetSkinData(skin);
  m_folderCombo->OnFolderChosen = [this](TObject*, const TskShellFolder& folder) { ShowFolder(folder); };
  m_view = AddToolButton(m_toolBar, "toolmenubutton", TskToolGlyph::ViewMenu, kMenuButton,
                         DialogText(skin, "MSG_BTN_VIEWMENU_HINT", "显示菜单"));
  m_back = AddToolButton(m_toolBar, "toolbutton", TskToolGlyph::Back, kToolButton,
                         DialogText(skin, "MSG_BTN_BACK_HINT", "转到访问的上一个文件夹"));
  m_up = AddToolButton(m_toolBar, "toolbutton", TskToolGlyph::Up, kToolButton,
                       DialogText(skin, "MSG_BTN_UP_HINT", "向上一级"));
  m_newFolder = AddToolButton(m_toolBar, "toolbutton", TskToolGlyph::NewFolder, kToolButton,
                              DialogText(skin, "MSG_BTN_NEWFOLDER_HINT", "创建新文件夹"));
  m_back->OnClick = [this](TObject*) { GoBack(); };
  m_up->OnClick = [this](TObject*) { GoUp(); };
  m_newFolder->OnClick = [this](TObject*) { MakeNewFolder(); };
  m_view->OnClick = [this](TObject*) { PopupViewMenu(); };
  m_toolBar->OnResize = [this](TObject*) { PlaceToolBar(); };

  m_viewMenu = new TskSkinPopupMenu(this);
  m_viewMenu->SetSkinData(skin);
  static const struct {
    const char* Key;
    const char* BuiltIn;
  } kViews[4] = {{"MSG_LV_ICON", "大图标"}, {"MSG_LV_SMALLICON", "小图标"}, {"MSG_LV_LIST", "列表"},
                 {"MSG_LV_DETAILS", "详细信息"}};
  for (int i = 0; i < 4; ++i) {
    auto* item = new TMenuItem(m_viewMenu);
    item->SetCaption(DialogText(skin, kViews[i].Key, kViews[i].BuiltIn));
    item->SetRadioItem(true);
    item->SetGroupIndex(1);
    item->OnClick = [this, i](TObject*) { SetViewStyle(static_cast<TskViewStyle>(i)); };
    m_viewMenu->Items()->Add(item);
    m_viewItems[i] = item;
  }

  // --- Bottom ---
  m_bottom = AddPanel(this, "panel", TAlign::alBottom, 80, false);
  m_nameLabel = AddLabel(this, m_bottom, DialogText(skin, "MSG_FILENAME", "文件名称:"), skin);
  m_typeLabel = AddLabel(this, m_bottom, DialogText(skin, "MSG_FILETYPE", "文件类型:"), skin);
  m_nameEdit = new TskSkinEdit(this);
  m_nameEdit->SetParent(m_bottom);
  m_nameEdit->SetBounds(73, 7, 293, 21);
  m_nameEdit->SetSkinData(skin);
  KeepEnter(m_nameEdit);
  m_nameEdit->OnKeyPress = [this](TObject*, char32_t& key) {
    if (key != 13) return;
    key = 0;
    NameEntered();
  };
  m_filterCombo = new TskSkinFilterComboBox(this);
  m_filterCombo->SetParent(m_bottom);
  m_filterCombo->SetAlphaBlend(settings.CtrlAlphaBlend);
  m_filterCombo->SetAlphaBlendValue(settings.CtrlAlphaBlendValue);
  m_filterCombo->SetAlphaBlendAnimation(settings.CtrlAlphaBlendAnimation);
  m_filterCombo->SetBounds(73, 42, 293, 21);
  m_filterCombo->SetSkinData(skin);
  m_filterCombo->OnMaskChange = [this](TObject*) { m_list->SetMask(m_filterCombo->Mask()); };
  m_open = AddButton(m_bottom, DialogText(skin, "MSG_BTN_OPEN", "打开"), TRect::FromSize(370, 10, 70, 25), mrNone);
  m_open->OnClick = [this](TObject*) { Accept(); };
  m_cancel = AddButton(m_bottom, DialogText(skin, "MSG_BTN_CANCEL", "取消"), TRect::FromSize(370, 45, 70, 25), mrCancel);
  m_cancel->SetCancel(true);
  for (TskSkinButton* b : {m_open, m_cancel}) {
    b->DefaultFont().Assign(font);
  }
  m_bottom->OnResize = [this](TObject*) { PlaceBottom(); };

  // --- The list ---
  TskSkinScrollBar* horizontal = nullptr;
  TskSkinScrollBar* vertical = nullptr;
  TskSkinPanel* view = AddViewPanel(this, horizontal, vertical);
  m_list = new TskSkinFileListView(this);
  m_list->SetFont(font);
  m_list->SetMultiSelect(settings.MultiSelection);
  m_list->SetHeaderSkinDataName(settings.HeaderSkinDataName);
  m_list->SetParent(view);
  m_list->SetAlign(TAlign::alClient);
  m_list->SetSkinData(skin);
  m_list->SetScrollBars(horizontal, vertical);
  m_list->OnFolderChange = [this](TObject*) { ListFolderChanged(); };
  m_list->OnItemChange = [this](TObject*) { ListItemChanged(); };
  m_list->OnFileActivate = [this](TObject*, const TskShellFolder& item) {
    if (AcceptPath(item.Path())) SetModalResult(mrOk);
  };

  PlaceToolBar();
  PlaceBottom();
  SetViewStyle(TskViewStyle::vsList);
  SetActiveControl(m_nameEdit);
}

void TskOpenDlgForm::PlaceToolBar() {
  const int32_t w = m_toolBar->ClientWidth(), h = m_toolBar->ClientHeight();
  int32_t right = w - 10;
  for (TskSkinButton* b : {m_newFolder, m_up, m_back}) {
    right -= kToolButton;
    b->SetBounds(right, 0, kToolButton, h);
  }
  right -= kMenuButton;
  m_view->SetBounds(right, 0, kMenuButton, h);
  m_lookIn->SetBounds(10, (h - 14) / 2, 63, 14);
  const int32_t comboHeight = m_folderCombo->Height();
  m_folderCombo->SetBounds(73, std::max(0, (h - comboHeight) / 2), std::max(20, right - 73 - 2), comboHeight);
}

void TskOpenDlgForm::PlaceBottom() {
  const int32_t w = m_bottom->ClientWidth();
  m_nameLabel->SetBounds(10, 10, 63, 14);
  m_typeLabel->SetBounds(10, 45, 63, 14);
  m_nameEdit->SetBounds(73, 7, std::max(20, w - 157), m_nameEdit->Height());
  m_filterCombo->SetBounds(73, 42, std::max(20, w - 157), m_filterCombo->Height());
  m_open->SetBounds(w - 80, 10, 70, m_open->Height());
  m_cancel->SetBounds(w - 80, 45, 70, m_cancel->Height());
}

// --- Folders ---------------------------------------------------------------

void TskOpenDlgForm::ShowFolder(const TskShellFolder& folder) { m_list->SetFolder(folder); }

void TskOpenDlgForm::ListFolderChanged() {
  const TskShellFolder& folder = m_list->Folder();
  if (!m_goingBack && (m_history.empty() || !m_history.back().SameAs(folder))) m_history.push_back(folder);
  m_folderCombo->SetFolder(folder);
  if (OnFolderChange) OnFolderChange(this);
}

void TskOpenDlgForm::ListItemChanged() {
  const int32_t i = m_list->ItemIndex();
  if (i >= 0 && !m_list->Item(i).IsFolder()) m_nameEdit->SetText(m_list->Item(i).DisplayName());
  if (OnFolderChange) OnFolderChange(this);
}

void TskOpenDlgForm::GoBack() {
  if (m_history.size() < 2) return;
  // The folder shown leaves the history; the one before it is shown.
  m_history.pop_back();
  m_goingBack = true;
  ShowFolder(m_history.back());
  m_goingBack = false;
}

void TskOpenDlgForm::GoUp() { m_list->GoUp(); }

void TskOpenDlgForm::MakeNewFolder() {
  if (TskDialogForm::MakeNewFolder(m_list->FolderPath(), DialogText(ControlSkin(), "MSG_NEWFOLDER", "新文件夹")))
    m_list->RefreshFolder();
}

void TskOpenDlgForm::SetViewStyle(TskViewStyle style) {
  m_list->SetViewStyle(style);
  for (int i = 0; i < 4; ++i) m_viewItems[i]->SetChecked(i == static_cast<int>(style));
}

void TskOpenDlgForm::PopupViewMenu() {
  const TRect r = m_view->BoundsRect();
  const TPoint topLeft = m_toolBar->ClientToScreen(r.TopLeft());
  m_viewMenu->PopupAtRect(m_view, TRect::FromSize(topLeft.X, topLeft.Y, r.Width(), r.Height()));
}

// --- Accepting ---------------------------------------------------------------

std::string TskOpenDlgForm::PathOfName(const std::string& text) const {
  if (text.empty()) return {};
  const int32_t i = m_list->ItemIndex();
  if (i >= 0 && !m_list->Item(i).IsFolder() && m_list->Item(i).DisplayName() == text) return m_list->Item(i).Path();
  if (text[0] == '/') return text;
  if (!m_list->Folder().HasPath()) return {};
  return JoinPath(m_list->FolderPath(), text);
}

bool TskOpenDlgForm::AcceptPath(const std::string& path) {
  if (path.empty()) return false;
  if (m_checkFileExists ? !FileExists(path) : !DirectoryExists(ParentFolder(AbsolutePath(path)))) {
    m_accepted.clear();
    return false;
  }
  m_accepted = path;
  m_acceptedFiles.clear();
  for (int32_t i : m_list->SelectedIndices())
    if (!m_list->Item(i).IsFolder()) m_acceptedFiles.push_back(m_list->Item(i).Path());
  if (std::find(m_acceptedFiles.begin(), m_acceptedFiles.end(), path) == m_acceptedFiles.end())
    m_acceptedFiles = {path};
  return true;
}

bool TskOpenDlgForm::Accept() {
  if (!AcceptPath(PathOfName(Trim(m_nameEdit->Text())))) return false;
  SetModalResult(mrOk);
  return true;
}

void TskOpenDlgForm::NameEntered() {
  const std::string text = Trim(m_nameEdit->Text());
  if (text.empty()) return;
  if (text.find('*') != std::string::npos) {
    m_list->SetMask(text);
    return;
  }
  const std::string path = PathOfName(text);
  if (!path.empty() && DirectoryExists(path)) {
    if (auto folder = TskShellFolder::FromPath(path)) {
      m_nameEdit->SetText("");
      ShowFolder(*folder);
    }
    return;
  }
  Accept();
}

}  // namespace tsm
