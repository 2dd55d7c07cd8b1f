// Resource ids of the widgets' own resources (controls.rc).
#pragma once

#define IDC_POINTING_HAND 264
#define IDC_PRESSING_HAND 265
