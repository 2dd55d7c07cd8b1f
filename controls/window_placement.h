// Where a dialog opens: a template's centring goes by the screen, not by
// the frame it asks about, and may leave the dialog past a screen edge.
#pragma once

#include "framework.h"

// Centres the window on its owner (on the work area when the owner is
// hidden, minimised or missing) and keeps it wholly inside the work area
// of the owner's monitor.
void PlaceOverOwner(CWnd* window);
