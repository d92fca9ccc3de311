#pragma once

// The monitor sizes its windows and images itself instead of leaving it to Qt: one scale for the
// primary monitor, fixed at start-up and reduced until a reference area fits the work area.

#include <QByteArray>
#include <QString>
#include <QVector>

// The next lower quarter step below a scale in (1.0, 5.0]; 1.0 for 0.0; 0.0 for anything else.
float DpiStep(float scale);

// Lowers `scale` by quarter steps until a 905 x 600 area scaled by it fits the work area.
float FitScaleToWorkArea(float scale, int workAreaWidth, int workAreaHeight);

// The scale class that picks images and styles: 1.0, 1.25, 1.5 or more, or the scale itself below 1.0.
float ClassScaleFor(float dpiScale);

// "96", "120" or "144" for a class scale; empty below 1.0, where no image set applies.
QString ImageFolderFor(float classScale);

// Recomputes the process-wide class scale from the process-wide scale and returns it.
float UpdateDpiClassScale();

struct EnvironmentSetting {
    QByteArray name;
    QByteArray value;
};

struct ScalingDecision {
    float dpiScale = 1.0f;
    QVector<EnvironmentSetting> environment;
};

// What start-up hands to Qt, given whether the user wants scaling and what the display reports.
ScalingDecision DecideScaling(bool resizeForDpi, int monitorDpi, int workAreaWidth, int workAreaHeight);

// The fixed values that pin Qt's own scaling when the user switched scaling off.
QVector<EnvironmentSetting> PinnedScalingEnvironment();

void ApplyEnvironment(const QVector<EnvironmentSetting>& environment);
