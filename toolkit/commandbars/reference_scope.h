// Keeps reference-counted objects alive for one scope. A command handler
// run from a control may destroy the frame, its bars and their controls;
// the objects held here then end only when the scope does.
#pragma once

#include "framework.h"

class CTkReferenceScope {
 public:
  CTkReferenceScope() = default;
  ~CTkReferenceScope() {
    for (int i = m_count; i-- > 0;) m_targets[i]->InternalRelease();
  }
  CTkReferenceScope(const CTkReferenceScope&) = delete;
  CTkReferenceScope& operator=(const CTkReferenceScope&) = delete;

  void Hold(CCmdTarget* target) {
    if (target == nullptr || m_count == kCapacity) return;
    target->InternalAddRef();
    m_targets[m_count++] = target;
  }

 private:
  static const int kCapacity = 6;
  CCmdTarget* m_targets[kCapacity] = {};
  int m_count = 0;
};
