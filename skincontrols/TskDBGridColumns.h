#pragma once
// The columns of the skinned data grid: TskColumn (one column: its field,
// title, width, visibility, alignment, colour, font) and the collection
// TskDBGridColumns that the grid owns.
//
// The collection is either in the default state (the columns mirror the
// record set's visible fields; the grid rebuilds them at every layout) or
// customized (the columns were defined by the user and only re-resolve
// their fields).
//
// Every attribute records whether it was assigned; an unassigned one
// follows its default:
//   Title.Caption    the field's DisplayLabel; without a field the
//                    column's FieldName
//   Title.Alignment  left          Title.Font  the grid's TitleFont
//   Alignment        the field's alignment, left without a field
//   Color            the grid's Color        Font  the grid's Font
//   ReadOnly         the grid is ReadOnly or the field is read-only
//   Visible          true
//   Width            -1 while the column is hidden; otherwise the default
//                    width the grid computes from the field's DisplayWidth

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/base/Alignment.h"
#include "framework/graphics/Font.h"

namespace tsm {

class TField;
class TskSkinCustomDBGrid;
class TskDBGridColumns;

class TskColumn {
 public:
  explicit TskColumn(TskDBGridColumns& owner);
  TskColumn(const TskColumn&) = delete;
  TskColumn& operator=(const TskColumn&) = delete;

  TskDBGridColumns& Collection() const { return m_owner; }
  int Index() const;

  const std::string& FieldName() const { return m_fieldName; }
  void SetFieldName(const std::string& name);
  // The field of that name in the grid's record set while it is open
  // (looked up on demand); null otherwise.
  TField* Field() const;
  // Forgets the looked-up field (the record set changed).
  void ClearField() const { m_fieldLooked = false; m_field = nullptr; }
  void SetField(TField* field);

  // --- title ---
  std::string TitleCaption() const;
  void SetTitleCaption(const std::string& caption);
  TAlignment TitleAlignment() const { return m_titleAlignment.value_or(TAlignment::taLeftJustify); }
  void SetTitleAlignment(TAlignment alignment);
  TColor TitleColor() const;
  void SetTitleColor(TColor color);
  // The grid's TitleFont until a font is assigned.
  const ui::TFont& TitleFont() const;
  void SetTitleFont(const ui::TFont& font);

  // --- the column ---
  int32_t Width() const;
  void SetWidth(int32_t width);
  bool WidthAssigned() const { return m_width.has_value(); }
  bool Visible() const { return m_visible.value_or(true); }
  void SetVisible(bool visible);
  bool ReadOnly() const;
  void SetReadOnly(bool readOnly);
  TAlignment Alignment() const;
  void SetAlignment(TAlignment alignment);
  TColor Color() const;
  void SetColor(TColor color);
  const ui::TFont& Font() const;
  void SetFont(const ui::TFont& font);

  // Whether the column is kept with a form (assigned by the user): in the
  // default state columns are not stored.
  bool Stored() const { return m_stored; }
  void SetStored(bool stored) { m_stored = stored; }

 private:
  void Changed(bool layout);

  TskDBGridColumns& m_owner;
  std::string m_fieldName;
  mutable TField* m_field = nullptr;
  mutable bool m_fieldLooked = false;
  std::optional<std::string> m_titleCaption;
  std::optional<TAlignment> m_titleAlignment;
  std::optional<TColor> m_titleColor;
  std::unique_ptr<ui::TFont> m_titleFont;
  std::optional<int32_t> m_width;
  std::optional<bool> m_visible;
  std::optional<bool> m_readOnly;
  std::optional<TAlignment> m_alignment;
  std::optional<TColor> m_color;
  std::unique_ptr<ui::TFont> m_font;
  bool m_stored = false;
};

enum class TskDBGridColumnsState : uint8_t { csDefault, csCustomized };

class TskDBGridColumns {
 public:
  explicit TskDBGridColumns(TskSkinCustomDBGrid* grid) : m_grid(grid) {}
  TskDBGridColumns(const TskDBGridColumns&) = delete;
  TskDBGridColumns& operator=(const TskDBGridColumns&) = delete;

  TskSkinCustomDBGrid* Grid() const { return m_grid; }
  int Count() const { return static_cast<int>(m_items.size()); }
  TskColumn* Items(int index) const { return m_items[static_cast<size_t>(index)].get(); }
  TskColumn* operator[](int index) const { return Items(index); }

  // A new column at the end. Adding a column by hand makes the collection
  // customized (see State); the first such column replaces the default
  // columns.
  TskColumn* Add();
  void Delete(int index);
  void Clear();
  void Move(int from, int to);
  int IndexOf(const TskColumn* column) const;

  // Default while no column was added by hand (or after SetState(csDefault),
  // which deletes the columns so that the grid rebuilds them).
  TskDBGridColumnsState State() const { return m_state; }
  void SetState(TskDBGridColumnsState state);

  // Adds a column for the grid's own layout (does not customize).
  TskColumn* AddDefault();

  // A column changed; layout: its size or title changed.
  void Changed(bool layout);

 private:
  TskSkinCustomDBGrid* m_grid;
  std::vector<std::unique_ptr<TskColumn>> m_items;
  TskDBGridColumnsState m_state = TskDBGridColumnsState::csDefault;
};

}  // namespace tsm
