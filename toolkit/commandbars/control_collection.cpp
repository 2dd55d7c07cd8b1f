#include "control_collection.h"

CTkControl* CTkControls::Add(CTkControl* control) {
  control->m_nIndex = GetCount();
  control->m_pControls = this;
  control->SetParentBar(m_pParent);
  m_controls.push_back(control);
  return control;
}

void CTkControls::RemoveAll() {
  std::vector<CTkControl*> controls;
  controls.swap(m_controls);
  for (CTkControl* control : controls) {
    control->m_pControls = nullptr;
    control->SetParentBar(nullptr);
    control->InternalRelease();
  }
}

CTkControl* CTkControls::GetAt(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return m_controls[static_cast<size_t>(index)];
}
