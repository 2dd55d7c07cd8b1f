// The task panel of the docking demo, shown in a pane or alone in the
// frame: one set-up for both.
#pragma once

#include "task_panel.h"

// Fills a panel whose window exists: a special group of links with icons,
// a group with a text line and a control item holding edit (made here as
// the panel's child), a collapsed group and a group of icons only, in the
// paint theme and panel mode given.
void PopulateDemoTaskPanel(CTkTaskPanel& panel, CEdit& edit, int theme, int mode);
