#include "skinforms/FrameSystemMenu.h"

#include <array>
#include <string_view>

#include "framework/controls/MenuItem.h"
#include "framework/controls/ShortCut.h"

namespace tsm {

namespace {

struct TSystemItem {
  TskSystemCommand Command;
  const char* Name;
  TskFrameText Caption;
};

constexpr TSystemItem kMin{TskSystemCommand::Minimize, "BSF_MINITEM", TskFrameText::MinCaption};
constexpr TSystemItem kMax{TskSystemCommand::Maximize, "BSF_MAXITEM", TskFrameText::MaxCaption};
constexpr TSystemItem kRestore{TskSystemCommand::Restore, "BSF_RESTORE", TskFrameText::RestoreCaption};
constexpr TSystemItem kRollUp{TskSystemCommand::RollUp, "BSF_ROLLUP", TskFrameText::RollUpCaption};
constexpr TSystemItem kTray{TskSystemCommand::MinimizeToTray, "BSF_MINTOTRAY", TskFrameText::MinToTrayCaption};
constexpr TSystemItem kClose{TskSystemCommand::Close, "BSF_CLOSE", TskFrameText::CloseCaption};

bool Applies(const TSystemItem& entry, const TskSystemMenuState& s) {
  const bool minimized = s.State == TskFrameState::wsMinimized;
  switch (entry.Command) {
    case TskSystemCommand::Minimize: return !minimized && s.Icons.Contains(TskBorderIcon::biMinimize);
    case TskSystemCommand::Maximize:
      return s.State != TskFrameState::wsMaximized && s.Icons.Contains(TskBorderIcon::biMaximize);
    case TskSystemCommand::Restore: return s.State != TskFrameState::wsNormal || s.RolledUp;
    case TskSystemCommand::RollUp: return s.Icons.Contains(TskBorderIcon::biRollUp) && !s.RolledUp && !minimized;
    case TskSystemCommand::MinimizeToTray: return s.Icons.Contains(TskBorderIcon::biMinimizeToTray);
    case TskSystemCommand::Close: return true;
  }
  return false;
}

TMenuItem* MakeItem(TMenuItem& root, const TSystemItem& entry, const TskSkinData* skin,
                    const TskSystemCommandHandler& run) {
  auto* item = new TMenuItem(root.Owner());
  item->SetName(entry.Name);
  item->SetCaption(FrameText(skin, entry.Caption));
  if (entry.Command == TskSystemCommand::Close) item->SetShortCut(TextToShortCut("Alt+F4"));
  const TskSystemCommand command = entry.Command;
  item->OnClick = [run, command](TObject*) { run(command); };
  return item;
}

}  // namespace

void BuildDefaultSystemMenu(TMenuItem& root, const TskSystemMenuState& state, const TskSkinData* skin,
                            const TskSystemCommandHandler& run) {
  root.Clear();
  for (const TSystemItem* entry : {&kMin, &kMax, &kRestore, &kRollUp, &kTray})
    if (Applies(*entry, state)) root.Add(MakeItem(root, *entry, skin, run));
  if (root.Count() > 0) {
    auto* line = new TMenuItem(root.Owner());
    line->SetCaption("-");
    root.Add(line);
  }
  root.Add(MakeItem(root, kClose, skin, run));
}

void MergeSystemMenu(TMenuItem& root, const TskSystemMenuState& state, const TskSkinData* skin,
                     const TskSystemCommandHandler& run) {
  static constexpr std::array<std::string_view, 6> kNames{"BSF_MINITEM", "BSF_MAXITEM",   "BSF_RESTORE",
                                                         "BSF_ROLLUP",  "BSF_MINTOTRAY", "BSF_CLOSE"};
  for (size_t i = root.Count(); i-- > 0;) {
    TMenuItem* item = root.Items(i);
    for (std::string_view name : kNames) {
      if (item->Name() == name) {
        root.Delete(i);
        item->Free();
        break;
      }
    }
  }
  size_t at = 0;
  for (const TSystemItem* entry : {&kMin, &kRestore, &kMax, &kRollUp, &kTray})
    if (Applies(*entry, state)) root.Insert(at++, MakeItem(root, *entry, skin, run));
  root.Insert(at, MakeItem(root, kClose, skin, run));
}

}  // namespace tsm
