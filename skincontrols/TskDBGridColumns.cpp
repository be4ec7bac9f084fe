#include "skincontrols/TskDBGridColumns.h"

#include <algorithm>
#include <cctype>

#include "framework/base/DataSet.h"
#include "memtable/Field.h"
#include "skincontrols/TskSkinCustomDBGrid.h"

namespace tsm {

namespace {

// Fonts of columns outside any grid.
const ui::TFont& LoneFont() {
  static const ui::TFont font;
  return font;
}

}  // namespace

TskColumn::TskColumn(TskDBGridColumns& owner) : m_owner(owner) {}

int TskColumn::Index() const { return m_owner.IndexOf(this); }

void TskColumn::Changed(bool layout) { m_owner.Changed(layout); }

void TskColumn::SetFieldName(const std::string& name) {
  if (name == m_fieldName) return;
  m_fieldName = name;
  ClearField();
  Changed(true);
}

TField* TskColumn::Field() const {
  if (m_fieldLooked) return m_field;
  const TskSkinCustomDBGrid* grid = m_owner.Grid();
  TDataSet* set = grid ? grid->DataLink().DataSet() : nullptr;
  if (!set || !set->Active() || m_fieldName.empty()) return nullptr;
  for (int i = 0; i < set->FieldCount(); ++i) {
    TField* f = set->Fields(i);
    if (f && f->FieldName().size() == m_fieldName.size() &&
        std::equal(m_fieldName.begin(), m_fieldName.end(), f->FieldName().begin(),
                   [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) ==
                                               std::tolower(static_cast<unsigned char>(b)); })) {
      m_field = f;
      break;
    }
  }
  m_fieldLooked = true;
  return m_field;
}

void TskColumn::SetField(TField* field) {
  m_field = field;
  m_fieldLooked = field != nullptr;
  if (field) m_fieldName = field->FieldName();
}

std::string TskColumn::TitleCaption() const {
  if (m_titleCaption) return *m_titleCaption;
  if (const TField* f = Field()) return f->DisplayLabel();
  return m_fieldName;
}

void TskColumn::SetTitleCaption(const std::string& caption) {
  m_titleCaption = caption;
  Changed(true);
}

void TskColumn::SetTitleAlignment(TAlignment alignment) {
  m_titleAlignment = alignment;
  Changed(false);
}

TColor TskColumn::TitleColor() const {
  if (m_titleColor) return *m_titleColor;
  return m_owner.Grid() ? m_owner.Grid()->FixedColor() : clBtnFace;
}

void TskColumn::SetTitleColor(TColor color) {
  m_titleColor = color;
  Changed(false);
}

const ui::TFont& TskColumn::TitleFont() const {
  if (m_titleFont) return *m_titleFont;
  return m_owner.Grid() ? m_owner.Grid()->TitleFont() : LoneFont();
}

void TskColumn::SetTitleFont(const ui::TFont& font) {
  if (!m_titleFont) m_titleFont = std::make_unique<ui::TFont>();
  m_titleFont->Assign(font);
  Changed(true);
}

int32_t TskColumn::Width() const {
  if (!Visible()) return -1;
  if (m_width) return *m_width;
  return m_owner.Grid() ? m_owner.Grid()->DefaultColumnWidth(*this) : 64;
}

void TskColumn::SetWidth(int32_t width) {
  m_width = width;
  Changed(true);
}

void TskColumn::SetVisible(bool visible) {
  m_visible = visible;
  Changed(true);
}

bool TskColumn::ReadOnly() const {
  if (m_readOnly) return *m_readOnly;
  const TField* f = Field();
  return (m_owner.Grid() && m_owner.Grid()->ReadOnly()) || (f && f->ReadOnly());
}

void TskColumn::SetReadOnly(bool readOnly) {
  m_readOnly = readOnly;
  Changed(true);
}

TAlignment TskColumn::Alignment() const {
  if (m_alignment) return *m_alignment;
  const TField* f = Field();
  return f ? f->Alignment() : TAlignment::taLeftJustify;
}

void TskColumn::SetAlignment(TAlignment alignment) {
  m_alignment = alignment;
  Changed(false);
}

TColor TskColumn::Color() const {
  if (m_color) return *m_color;
  return m_owner.Grid() ? m_owner.Grid()->Color() : clWindow;
}

void TskColumn::SetColor(TColor color) {
  m_color = color;
  Changed(false);
}

const ui::TFont& TskColumn::Font() const {
  if (m_font) return *m_font;
  return m_owner.Grid() ? m_owner.Grid()->Font() : LoneFont();
}

void TskColumn::SetFont(const ui::TFont& font) {
  if (!m_font) m_font = std::make_unique<ui::TFont>();
  m_font->Assign(font);
  Changed(true);
}

// --- the collection ---------------------------------------------------------------

TskColumn* TskDBGridColumns::Add() {
  // The first column of the user's own replaces the grid's default ones.
  if (m_state == TskDBGridColumnsState::csDefault) m_items.clear();
  m_state = TskDBGridColumnsState::csCustomized;
  m_items.push_back(std::make_unique<TskColumn>(*this));
  m_items.back()->SetStored(true);
  Changed(true);
  return m_items.back().get();
}

TskColumn* TskDBGridColumns::AddDefault() {
  m_items.push_back(std::make_unique<TskColumn>(*this));
  return m_items.back().get();
}

void TskDBGridColumns::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  m_items.erase(m_items.begin() + index);
  Changed(true);
}

void TskDBGridColumns::Clear() {
  if (m_items.empty()) return;
  m_items.clear();
  Changed(true);
}

void TskDBGridColumns::Move(int from, int to) {
  if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to) return;
  auto item = std::move(m_items[static_cast<size_t>(from)]);
  m_items.erase(m_items.begin() + from);
  m_items.insert(m_items.begin() + to, std::move(item));
}

int TskDBGridColumns::IndexOf(const TskColumn* column) const {
  for (size_t i = 0; i < m_items.size(); ++i)
    if (m_items[i].get() == column) return static_cast<int>(i);
  return -1;
}

void TskDBGridColumns::SetState(TskDBGridColumnsState state) {
  if (state == m_state) return;
  m_state = state;
  if (state == TskDBGridColumnsState::csDefault) m_items.clear();
  Changed(true);
}

void TskDBGridColumns::Changed(bool layout) {
  if (m_grid) m_grid->ColumnsChanged(layout);
}

}  // namespace tsm
