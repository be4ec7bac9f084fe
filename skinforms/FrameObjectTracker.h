#pragma once
// Which skin object of a frame is under the mouse (active), was under it
// before, and holds a press (captured), and the steps of the morph and
// animation clocks. Objects are kept in skin order (the drawing order); a
// point hits the topmost one, the one drawn last, so caption buttons drawn
// over the caption object stay alive.
//
// Indices are -1 for none and are never used as -1.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/Geometry.h"
#include "platform/window/Backend.h"
#include "skinforms/TskActiveSkinObject.h"

namespace tsm {

class TskFormFrame;

class TskFrameObjectTracker {
 public:
  explicit TskFrameObjectTracker(TskFormFrame& frame) : m_frame(frame) {}

  size_t Count() const { return m_objects.size(); }
  bool Empty() const { return m_objects.empty(); }
  TskActiveSkinObject& At(size_t i) const { return *m_objects[i]; }
  void Add(std::unique_ptr<TskActiveSkinObject> object) { m_objects.push_back(std::move(object)); }
  // Frees every object and clears the indices.
  void Clear();
  // The first object in list order with this section name, or null.
  TskActiveSkinObject* Find(const std::string& idName) const;
  // The first caption object, or null.
  class TskSkinCaptionObject* Caption() const;

  int32_t ActiveIndex() const { return m_active; }
  int32_t PreviousActiveIndex() const { return m_previous; }
  int32_t CapturedIndex() const { return m_captured; }
  TskActiveSkinObject* ActiveObject() const { return ObjectAt(m_active); }
  TskActiveSkinObject* CapturedObject() const { return ObjectAt(m_captured); }
  void ClearIndices() { m_active = m_previous = m_captured = -1; }
  void ClearCaptured() { m_captured = -1; }
  void SetCaptured(int32_t index) { m_captured = index >= 0 && size_t(index) < m_objects.size() ? index : -1; }
  // The object is one of the list (not freed since it was taken).
  bool Contains(const TskActiveSkinObject* object) const;

  // The topmost Enabled and Visible object whose ObjectRect contains p
  // (right and bottom edges excluded); -1 for none.
  int32_t ObjectIndexAt(TPoint p) const;
  // Makes the object at p the active one (while one is captured only that
  // one can be active); the old one gets MouseLeave, the new one
  // MouseEnter. Nothing while the form is inactive or without objects.
  void TestActiveObject(TPoint p);
  // Every object back to rest (caption objects too unless keepCaption).
  void ResetAll(bool keepCaption);

  // One morph step (20 ms): true when some object moved.
  bool MorphStep();
  // One animation tick (25 ms): true while some animation is Active.
  bool AnimationStep();

 private:
  TskActiveSkinObject* ObjectAt(int32_t i) const {
    return i >= 0 && size_t(i) < m_objects.size() ? m_objects[size_t(i)].get() : nullptr;
  }

  TskFormFrame& m_frame;
  std::vector<std::unique_ptr<TskActiveSkinObject>> m_objects;
  int32_t m_active = -1;
  int32_t m_previous = -1;
  int32_t m_captured = -1;
};

}  // namespace tsm
