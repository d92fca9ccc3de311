#include "DisplayScaling.h"

#include "ProcessValues.h"

#include <cmath>

namespace {
const int ReferenceWidth = 905;
const int ReferenceHeight = 600;
}  // namespace

float DpiStep(float scale) {
    if (scale == 0.0f) return 1.0f;
    if (scale > 1.0f && scale <= 5.0f) return (std::ceil(4.0f * scale) - 1.0f) / 4.0f;
    return 0.0f;
}

float FitScaleToWorkArea(float scale, int workAreaWidth, int workAreaHeight) {
    while (scale != 1.0f) {
        const bool fits = std::isfinite(scale) && static_cast<int>(ReferenceHeight * scale) <= workAreaHeight &&
                          static_cast<int>(ReferenceWidth * scale) <= workAreaWidth;
        if (fits) break;
        scale = DpiStep(scale);
    }
    return scale == 0.0f ? 1.0f : scale;
}

float ClassScaleFor(float dpiScale) {
    if (dpiScale > 1.0f && dpiScale < 1.25f) return 1.25f;
    if (dpiScale > 1.25f && dpiScale < 1.5f) return 1.5f;
    return dpiScale;
}

QString ImageFolderFor(float classScale) {
    if (classScale == 1.0f) return QStringLiteral("96");
    if (classScale == 1.25f) return QStringLiteral("120");
    if (classScale >= 1.5f) return QStringLiteral("144");
    return {};
}

float UpdateDpiClassScale() {
    DpiClassScale = ClassScaleFor(DpiScale);
    return DpiClassScale;
}

QVector<EnvironmentSetting> PinnedScalingEnvironment() {
    return {{"QT_SCALE_FACTOR", "1"}, {"QT_AUTO_SCREEN_SCALE_FACTOR", "0"}, {"QT_FONT_DPI", "102"}};
}

ScalingDecision DecideScaling(bool resizeForDpi, int monitorDpi, int workAreaWidth, int workAreaHeight) {
    ScalingDecision decision;
    if (!resizeForDpi) {
        decision.environment = PinnedScalingEnvironment();
        return decision;
    }
    const float scale = static_cast<float>(monitorDpi) / 96.0f;
    decision.dpiScale = FitScaleToWorkArea(scale, workAreaWidth, workAreaHeight);
    const int fontDpi = static_cast<int>(96.0f * decision.dpiScale);
    decision.environment = {{"QT_FONT_DPI", QByteArray::number(fontDpi)}};
    return decision;
}

void ApplyEnvironment(const QVector<EnvironmentSetting>& environment) {
    for (const EnvironmentSetting& setting : environment) qputenv(setting.name.constData(), setting.value);
}
