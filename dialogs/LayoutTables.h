#pragma once

// The layout numbers of the four warning dialogs: an English table each, and per language the
// numbers that differ from it.

#include "DialogLayout.h"

extern const DialogLayout TemperatureWarningLayout;
extern const LayoutChanges TemperatureWarningChanges;

extern const DialogLayout ShutdownWarningLayout;
extern const LayoutChanges ShutdownWarningChanges;

// The health and performance warnings share one table; only one Japanese number differs.
extern const DialogLayout DriveWarningLayout;
extern const LayoutChanges HealthWarningChanges;
extern const LayoutChanges PerformanceWarningChanges;
