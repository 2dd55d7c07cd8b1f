#include "control_collection.h"

#include <algorithm>

#include "command_bar.h"
#include "command_bars.h"

IMPLEMENT_DYNCREATE(CTkControls, CCmdTarget)

namespace {

// Popups hold popups; a bound keeps a popup that holds itself from looping.
const int kMaxPopupDepth = 32;

}  // namespace

CTkControls::~CTkControls() {
  RemoveAll();
  ClearOriginalControls();
}

void CTkControls::SetParent(CTkCommandBar* bar) {
  m_pParent = bar;
  if (!m_controls.empty()) RefreshIndexes();
}

CTkCommandBars* CTkControls::GetCommandBars() const {
  if (m_pParent != nullptr) return m_pParent->GetCommandBars();
  return m_pCommandBars;
}

void CTkControls::RefreshIndexes() {
  for (size_t i = 0; i < m_controls.size(); ++i) {
    CTkControl* control = m_controls[i];
    control->m_nIndex = static_cast<int>(i);
    control->m_pControls = this;
    control->SetParentBar(m_pParent);
  }
  if (m_pParent != nullptr) m_pParent->ResetTrackingIndices();
}

void CTkControls::Insert(CTkControl* control, int before) {
  if (before < 0 || before > GetCount()) before = GetCount();
  m_controls.insert(m_controls.begin() + before, control);
  RefreshIndexes();
}

CTkControl* CTkControls::AddControl(CTkControl* control, UINT id, LPCWSTR parameter, int before, BOOL temporary) {
  if (control == nullptr) return nullptr;
  control->m_strParameter = parameter != nullptr ? parameter : L"";
  control->m_bTemporary = temporary;
  control->SetID(id);
  Insert(control, before);
  return control;
}

CTkControl* CTkControls::AddClone(CTkControl* control, int before, BOOL recursive) {
  if (control == nullptr) return nullptr;
  CTkControl* clone = control->Clone(recursive);
  if (clone == nullptr) return nullptr;
  Insert(clone, before);
  return clone;
}

CTkControl* CTkControls::GetAt(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return m_controls[static_cast<size_t>(index)];
}

void CTkControls::Remove(CTkControl* control) {
  if (control == nullptr) return;
  if (control->GetSelected() != 0 && m_pParent != nullptr) m_pParent->ClearHighlight();
  const int index = control->GetIndex();
  if (index < 0 || index >= GetCount() || m_controls[static_cast<size_t>(index)] != control) return;
  m_controls.erase(m_controls.begin() + index);
  control->m_pControls = nullptr;
  control->SetParentBar(nullptr);
  control->InternalRelease();
  RefreshIndexes();
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

namespace {

CTkControl* FindIn(const CTkControls* controls, int type, UINT id, BOOL visibleOnly, BOOL recursive, int depth) {
  for (int i = 0; i < controls->GetCount(); ++i) {
    CTkControl* control = controls->GetAt(i);
    if ((type == 0 || control->GetType() == type) && (id == static_cast<UINT>(-1) || control->GetID() == id) &&
        (!visibleOnly || control->GetHideFlags() == 0))
      return control;
    if (recursive && depth < kMaxPopupDepth && IsPopupControlType(control->GetType()) &&
        control->GetCommandBar() != nullptr) {
      CTkControl* found = FindIn(control->GetCommandBar()->GetControls(), type, id, visibleOnly, TRUE, depth + 1);
      if (found != nullptr) return found;
    }
  }
  return nullptr;
}

}  // namespace

CTkControl* CTkControls::FindControl(int type, UINT id, BOOL visibleOnly, BOOL recursive) const {
  return FindIn(this, type, id, visibleOnly, recursive, 0);
}

int CTkControls::GetNextIndex(int start, int step, BOOL skipFlag2, BOOL skipTemporary, BOOL allowRarelyUsed) const {
  const int count = GetCount();
  if (count == 0 || (step != 1 && step != -1)) return -1;
  int index = start == -1 && step == -1 ? count - 1 : start + step;
  if (index == start) return index;
  const int softReasons = kHideScrolled | (allowRarelyUsed ? kHideRarelyUsed : 0);
  BOOL wrapped = FALSE;
  for (;;) {
    if (index >= count || index < 0) {
      const BOOL forward = index >= count;
      // A walk from -1 has already begun at that end.
      if (wrapped || (start == -1 && (forward ? step == 1 : step == -1))) return -1;
      wrapped = TRUE;
      index = forward ? 0 : count - 1;
    }
    if (index == start) return start;
    const CTkControl* control = m_controls[static_cast<size_t>(index)];
    const BOOL skipped = (control->GetHideFlags() & ~softReasons) != 0 ||
                         (skipFlag2 && (control->GetFlags() & kFlagSkipKeyboard) != 0) ||
                         (skipTemporary && control->IsTemporary());
    if (!skipped) return index;
    index += step;
  }
}

CTkControl* CTkControls::HitTest(CPoint point) const {
  for (CTkControl* control : m_controls)
    if (control->GetHideFlags() == 0 && control->GetRect().PtInRect(point)) return control;
  return nullptr;
}

int CTkControls::GetVisibleCount(BOOL strict) const {
  const int ignored = strict ? 0 : kHideWrapped;
  return static_cast<int>(std::count_if(m_controls.begin(), m_controls.end(), [ignored](const CTkControl* control) {
    return (control->GetHideFlags() & ~ignored) == 0;
  }));
}

CTkControls* CTkControls::Duplicate(BOOL recursive) const {
  auto* copy = new CTkControls;
  copy->m_pCommandBars = GetCommandBars();
  for (CTkControl* control : m_controls)
    if (!control->IsTemporary()) copy->AddClone(control, -1, recursive);
  if (m_pOriginalControls != nullptr) copy->m_pOriginalControls = m_pOriginalControls->Duplicate(recursive);
  return copy;
}

void CTkControls::CreateOriginalControls() {
  ClearOriginalControls();
  m_pOriginalControls = Duplicate(TRUE);
}

void CTkControls::ClearOriginalControls() {
  CTkControls* original = m_pOriginalControls;
  m_pOriginalControls = nullptr;
  if (original != nullptr) original->InternalRelease();
}

BOOL CTkControls::IsEqual(const CTkControls* other) const {
  if (other == nullptr) return FALSE;
  int mine = 0;
  int theirs = 0;
  for (;;) {
    while (mine < GetCount() && GetAt(mine)->IsTemporary()) ++mine;
    while (theirs < other->GetCount() && other->GetAt(theirs)->IsTemporary()) ++theirs;
    const BOOL mineEnded = mine >= GetCount();
    const BOOL theirsEnded = theirs >= other->GetCount();
    if (mineEnded || theirsEnded) return mineEnded && theirsEnded;
    if (!GetAt(mine)->IsEqualControl(other->GetAt(theirs))) return FALSE;
    ++mine;
    ++theirs;
  }
}

BOOL CTkControls::IsChanged() const {
  return m_pOriginalControls == nullptr || !IsEqual(m_pOriginalControls);
}
