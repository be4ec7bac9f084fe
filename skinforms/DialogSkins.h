#pragma once
// The two skin references of a dialog component (the message box, the file
// and folder dialogs) and of the edits that open those dialogs: one for the
// frame, one for the controls. The holder asks each referenced skin data for
// its removal notice (once, also when both name the same one) and passes
// every removal notice to Removed, which clears what it named.

namespace tsm {

class TComponent;
class TskSkinData;

class TskDialogSkins {
 public:
  TskSkinData* Frame() const { return m_frame; }
  TskSkinData* Controls() const { return m_controls; }
  void SetFrame(TComponent& holder, TskSkinData* skin) { Set(holder, m_frame, m_controls, skin); }
  void SetControls(TComponent& holder, TskSkinData* skin) { Set(holder, m_controls, m_frame, skin); }
  void Removed(const TComponent* component);

 private:
  static void Set(TComponent& holder, TskSkinData*& slot, const TskSkinData* other, TskSkinData* skin);

  TskSkinData* m_frame = nullptr;
  TskSkinData* m_controls = nullptr;
};

}  // namespace tsm
