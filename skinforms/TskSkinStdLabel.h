#pragma once
// TskSkinStdLabel: the transparent label of the skinned dialogs (the
// message dialog's text). Each time it draws or measures its text it looks
// its section up in SkinData — the control entry named SkinDataName when it
// is a "stdlabel" section — and picks the font:
//
//   section, UseSkinFont       the section's font name, height and style
//   section, no UseSkinFont    the label's own Font
//   no section, UseSkinFont    DefaultFont
//   no section, no UseSkinFont the label's own Font
//
// and, with a section, the section's font colour in every case. The
// character set is the resource strings' when the skin data has them, else
// DefaultFont's. Text format, auto-size and the disabled look are the
// framework label's.

#include <string>

#include "framework/controls/Label.h"
#include "framework/graphics/Font.h"

namespace tsm {

class TskSkinData;
class TskDataSkinStdLabelControl;

class TskSkinStdLabel : public TLabel {
 public:
  explicit TskSkinStdLabel(TComponent* owner);

  TskSkinData* SkinData() const { return m_skinData; }
  // Re-measures (auto-size) and repaints with the new section.
  void SetSkinData(TskSkinData* skin);
  const std::string& SkinDataName() const { return m_skinDataName; }
  void SetSkinDataName(const std::string& name);
  bool UseSkinFont() const { return m_useSkinFont; }
  void SetUseSkinFont(bool on);
  ui::TFont& DefaultFont() { return m_defaultFont; }
  const ui::TFont& DefaultFont() const { return m_defaultFont; }
  void SetDefaultFont(const ui::TFont& font) { m_defaultFont.Assign(font); }

  // The section the label draws with now; null when there is none.
  const TskDataSkinStdLabelControl* Section() const;
  // Sets font to what the label draws with now (see above).
  void SelectFont(ui::TFont& font) const override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void SkinChanged();

  TskSkinData* m_skinData = nullptr;
  std::string m_skinDataName = "stdlabel";
  bool m_useSkinFont = true;
  ui::TFont m_defaultFont{"Arial", 14};
};

}  // namespace tsm
