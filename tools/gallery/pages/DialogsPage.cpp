// Gallery page: the skinned message boxes (every kind, the converter's
// texts, every button), the open dialog set up as the converter's source
// picker, the folder dialog as its target picker, and the file and folder
// edits that open dialogs of their own. The source picker starts in the
// user's videos folder when there is one.

#include <string>

#include "framework/controls/Label.h"
#include "framework/forms/CustomForm.h"
#include "platform/os/Places.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinDirectoryEdit.h"
#include "skincontrols/TskSkinFileEdit.h"
#include "skinforms/TskSkinMessage.h"
#include "skinforms/TskSkinOpenDialog.h"
#include "skinforms/TskSkinSelectDirectoryDialog.h"
#include "tools/gallery/GalleryPages.h"

namespace tsm {
namespace {

const char* kSourceFilter =
    "所有文件(*.avi;*.rm;*.rmvb;*.mpg;*.mpeg;*.mp4;*.asf;*.wmv;*.dat;*.vob)|*.avi;*.rm;*.rmvb;*.mpg;*.mpeg;*.mp4;"
    "*.asf;*.wmv;*.dat;*.vob|AVI文件 (*.avi)|*.avi|Real文件 (*.rm;*.rmvb)|*.rm;*.rmvb|Mpeg文件 "
    "(*.mpg;*.mpeg;*.mp4)|*.mpg;*.mpeg;*.mp4|Asf文件 (*.asf)|*.asf|WMV文件 (*.wmv)|*.wmv|Mkv文件 (*.mkv)|*.mkv|VCD文件 "
    "(*.dat)|*.dat|DVD文件 (*.vob)|*.vob";

TskSkinButton* AddButton(TGalleryPageContext& c, const std::string& caption, int32_t left, int32_t top,
                         int32_t width = 100) {
  auto* b = new TskSkinButton(&c.Form);
  b->SetParent(&c.Parent);
  b->SetSkinData(c.Skin);
  b->SetCaption(caption);
  b->SetBounds(left, top, width, 25);
  return b;
}

TLabel* AddLabel(TGalleryPageContext& c, const std::string& caption, int32_t left, int32_t top) {
  auto* l = new TLabel(&c.Form);
  l->SetParent(&c.Parent);
  l->SetTransparent(true);
  l->SetBounds(left, top, 0, 0);
  l->SetCaption(caption);
  return l;
}

const TGalleryPageRegistration kPage("对话框", 60, [](TGalleryPageContext& c) {
  TLabel* result = AddLabel(c, "结果:", 24, 232);

  // Message boxes as the job list and the parameters dialog configure them.
  auto* box = new TskSkinMessage(&c.Form);
  box->SetSkinData(c.Skin);
  box->SetCtrlSkinData(c.Skin);
  box->DefaultFont().SetName("Arial");
  box->DefaultFont().SetHeight(14);
  AddLabel(c, "消息框:", 24, 16);
  const struct {
    const char* Caption;
    const char* Text;
    TMsgDlgType Type;
    TMsgDlgButtons Buttons;
  } boxes[] = {
      {"错误", "目标文件名无效!", TMsgDlgType::mtError, {TMsgDlgBtn::mbCancel}},
      {"确认", "您确定移去当前文件的转换吗?", TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}},
      {"信息", "选择的范围有可能无效!", TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK}},
      {"警告", "磁盘空间可能不足,\n转换可能失败。", TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel}},
      {"自定义", "没有图标的消息。", TMsgDlgType::mtCustom, {TMsgDlgBtn::mbAbort, TMsgDlgBtn::mbRetry, TMsgDlgBtn::mbIgnore}},
      {"全部按钮", "每一种按钮。", TMsgDlgType::mtConfirmation, TMsgDlgButtons::FromBits(0x7FF)},
  };
  int32_t left = 90;
  for (const auto& b : boxes) {
    TskSkinButton* button = AddButton(c, b.Caption, left, 12, 80);
    button->OnClick = [box, result, b](TObject*) {
      result->SetCaption("结果: " + std::to_string(box->MessageDlg(b.Text, b.Type, b.Buttons)));
    };
    left += 90;
  }

  // The parameters dialog's two pickers.
  auto* open = new TskSkinOpenDialog(&c.Form);
  open->Title = "源文件";
  open->CheckFileExists = true;
  open->FilterIndex = 1;
  open->AlphaBlendValue = 225;
  open->LVHeaderSkinDataName = "resizebutton";
  open->DefaultFont().SetHeight(-12);
  open->Filter = kSourceFilter;
  open->SetSkinData(c.Skin);
  open->SetCtrlSkinData(c.Skin);
  auto* folder = new TskSkinSelectDirectoryDialog(&c.Form);
  folder->Title = "选择目标文件存放路径";
  folder->ShowToolBar = true;
  folder->SetSkinData(c.Skin);
  folder->SetCtrlSkinData(c.Skin);
  AddLabel(c, "文件对话框:", 24, 60);
  AddButton(c, "源文件...", 110, 56)->OnClick = [open, result](TObject*) {
    const auto dirs = UserDirs();
    if (const auto videos = dirs.find("VIDEOS"); videos != dirs.end()) open->InitialDir = videos->second;
    result->SetCaption(open->Execute() ? "源文件: " + open->FileName : "源文件: 取消");
  };
  AddButton(c, "目标路径...", 220, 56)->OnClick = [folder, result](TObject*) {
    result->SetCaption(folder->Execute() ? "目标路径: " + folder->Directory : "目标路径: 取消");
  };

  // Edits with dialogs of their own.
  AddLabel(c, "源文件:", 24, 110);
  auto* fileEdit = new TskSkinFileEdit(&c.Form);
  fileEdit->SetName("GalleryFileEdit");
  fileEdit->SetParent(&c.Parent);
  fileEdit->SetUseSkinFont(false);
  fileEdit->DefaultFont().SetName("宋体");
  fileEdit->DefaultFont().SetHeight(-12);
  fileEdit->SetReadOnly(true);
  fileEdit->SetFilter(kSourceFilter);
  fileEdit->SetDlgSkinData(c.Skin);
  fileEdit->SetDlgCtrlSkinData(c.Skin);
  fileEdit->SetBounds(104, 108, 425, 16);
  fileEdit->SetSkinData(c.Skin);
  AddLabel(c, "目标路径:", 24, 140);
  auto* dirEdit = new TskSkinDirectoryEdit(&c.Form);
  dirEdit->SetName("GalleryDirectoryEdit");
  dirEdit->SetParent(&c.Parent);
  dirEdit->SetUseSkinFont(false);
  dirEdit->DefaultFont().SetName("宋体");
  dirEdit->DefaultFont().SetHeight(-12);
  dirEdit->SetReadOnly(true);
  dirEdit->SetDlgSkinData(c.Skin);
  dirEdit->SetDlgCtrlSkinData(c.Skin);
  dirEdit->SetBounds(104, 138, 425, 16);
  dirEdit->SetSkinData(c.Skin);
});

}  // namespace
}  // namespace tsm
