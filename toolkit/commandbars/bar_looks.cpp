// The looks the program carries. Looks are made by class name, and an
// object file nobody names is left out of the program: naming them here,
// where the painter is made, keeps them in.
#include "bar_painter_default.h"
#include "bar_painter_native.h"
#include "bar_painter_theme1.h"
#include "bar_painter_theme2.h"

extern const CRuntimeClass* const LinkedBarLooks[];
const CRuntimeClass* const LinkedBarLooks[] = {RUNTIME_CLASS(CTkBarPainterDefault), RUNTIME_CLASS(CTkBarPainterNative),
                                               RUNTIME_CLASS(CTkBarPainterTheme1),  RUNTIME_CLASS(CTkBarPainterTheme2),
                                               RUNTIME_CLASS(CTkBarPainterTheme4),  nullptr};
