// CFittedStatic: a one-line static text that keeps its whole text in view.
// It draws in its base font where the text fits and in a smaller copy of
// that font where the system's face is wider than the line's room.
#pragma once

#include "framework.h"

class CFittedStatic : public CStatic {
 public:
  CFittedStatic() = default;
  ~CFittedStatic() override;

  void SetBaseFont(CFont* font);
  // The font the text shows in now: the base font or a smaller copy.
  HFONT ShownFont() const { return m_fitted != nullptr ? m_fitted : BaseHandle(); }

 protected:
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()

 private:
  HFONT BaseHandle() const { return m_base != nullptr ? static_cast<HFONT>(m_base->GetSafeHandle()) : nullptr; }
  void Refit();

  CFont* m_base = nullptr;
  HFONT m_fitted = nullptr;
};
