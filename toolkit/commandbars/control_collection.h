// The controls of one command bar, in display order. The collection holds
// one reference to each control.
#pragma once

#include <vector>

#include "control.h"

class CTkControls : public CCmdTarget {
 public:
  explicit CTkControls(CTkCommandBar* parent) : m_pParent(parent) {}
  ~CTkControls() override { RemoveAll(); }

  // Takes the caller's reference; sets the control's index, collection and bar.
  CTkControl* Add(CTkControl* control);
  void RemoveAll();
  int GetCount() const { return static_cast<int>(m_controls.size()); }
  // Null outside 0..count-1.
  CTkControl* GetAt(int index) const;
  CTkCommandBar* GetParent() const { return m_pParent; }

 private:
  CTkCommandBar* m_pParent;
  std::vector<CTkControl*> m_controls;
};
