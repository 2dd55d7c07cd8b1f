// The program's own widgets: everything a view or dialog includes.
#pragma once

#include "dib_buffer.h"
#include "drive_usage_chart.h"
#include "gradient_progress.h"
#include "hover_button.h"
#include "link_open.h"
#include "link_static.h"
#include "memory_dc.h"
#include "pane_splitter.h"
#include "percent_progress.h"
#include "pie_chart.h"
#include "styled_button.h"
#include "tool_button.h"
#include "transparent_controls.h"
#include "xp_group_box.h"
