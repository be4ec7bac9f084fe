#pragma once
// TskSkinBinding: what ties a skinned control to its part of a skin — the
// skin data component (not owned, forgotten by its removal notice), the skin
// data name and the position of the named control data in the skin's list.
// The windowed and the windowless control bases hold one each.

#include <cstdint>
#include <string>

namespace tsm {

class TComponent;
class TskSkinData;
class TskDataSkinControl;

class TskSkinBinding {
 public:
  TskSkinData* Data() const { return m_data; }
  // Stores the reference; holder asks the new component for its removal
  // notice and drops the request on the old one.
  void SetData(TComponent& holder, TskSkinData* data);
  // A component the holder referenced is being freed: true (and the
  // reference is gone, the binding unskinned) when it was the skin data.
  bool Removed(const TComponent* component);

  const std::string& Name() const { return m_name; }
  void SetName(const std::string& name) { m_name = name; }

  // -1: unskinned.
  int32_t Index() const { return m_index; }
  void Unskin() { m_index = -1; }
  // Index becomes the position of the control data named Name (exact case),
  // or -1 without skin data, with an empty skin or an unknown name.
  void ReadIndex();
  // The control data at Index, or null while unskinned.
  const TskDataSkinControl* Entry() const;

 private:
  TskSkinData* m_data = nullptr;
  std::string m_name;
  int32_t m_index = -1;
};

}  // namespace tsm
