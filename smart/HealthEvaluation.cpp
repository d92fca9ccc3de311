#include "HealthEvaluation.h"

#include "exec/CaptureFile.h"

#include <QLoggingCategory>

#include <algorithm>
#include <cmath>
#include <cstdint>

Q_DECLARE_LOGGING_CATEGORY(lcSmart)

namespace smart {

namespace {

const QString NvmeLogHeader = QStringLiteral("SMART/Health Information (NVMe Log");
const QString PercentageUsedLabel = QStringLiteral("Percentage Used:");

// A drive whose report has no reallocated-sector row is scaled from full health, not from nothing.
constexpr float StartingHealth = 100.0f;
constexpr int HighestHealth = 100;
constexpr int LowestHealth = 0;

enum class Penalty {
    Raw,           // r, in integers
    ThreeTimesRaw, // 3 r, in integers
    SixTenthsRaw,  // 0.6 r, in single precision
};

// One error-counting attribute. A penalty that exceeds `limit` (after truncation) gives `cappedValue`;
// otherwise the bracket (100 - penalty) applies. The reallocated-sector rule replaces the running
// value with that figure; the others scale it by figure / 100.
struct AttributeRule {
    QStringList names;
    Penalty penalty;
    int limit;
    float cappedValue;
    bool replacesHealth;
};

const AttributeRule AttributeRules[] = {
    {{QStringLiteral("Reallocated_Sector_Ct"), QStringLiteral("Reallocated_Sector_Count")}, Penalty::Raw, 70, 30.0f, true},
    {{QStringLiteral("Spin_Retry_Count")}, Penalty::ThreeTimesRaw, 60, 40.0f, false},
    {{QStringLiteral("Reallocated_Event_Count")}, Penalty::SixTenthsRaw, 30, 70.0f, false},
    {{QStringLiteral("Current_Pending_Sector")}, Penalty::SixTenthsRaw, 48, 52.0f, false},
    {{QStringLiteral("Offline_Uncorrectable")}, Penalty::Raw, 70, 30.0f, false},
};

const AttributeRule* RuleForLine(const QString& line) {
    for (const AttributeRule& rule : AttributeRules) {
        for (const QString& name : rule.names) {
            if (line.contains(name)) return &rule;
        }
    }
    return nullptr;
}

float Apply(const AttributeRule& rule, float health, int raw) {
    const auto scaled = [&](float figure) { return rule.replacesHealth ? figure : health * figure / 100.0f; };
    if (rule.penalty == Penalty::SixTenthsRaw) {
        const float penalty = static_cast<float>(raw) * 0.6f;
        if (static_cast<std::int64_t>(penalty) > rule.limit) return scaled(rule.cappedValue);
        return scaled(100.0f - penalty);
    }
    // 64-bit, so that a raw value near the ends of the 32-bit range cannot overflow.
    const std::int64_t penalty = rule.penalty == Penalty::ThreeTimesRaw ? 3 * std::int64_t{raw} : raw;
    if (penalty > rule.limit) return scaled(rule.cappedValue);
    return scaled(static_cast<float>(100 - penalty));
}

int RoundedHealth(double health) {
    return static_cast<int>(std::clamp(std::trunc(health + 0.5), double{LowestHealth}, double{HighestHealth}));
}

}  // namespace

int RawAttributeValue(const QString& row) {
    const QStringList words = SplitWords(row);
    return words.size() >= 10 ? ToNumber(words[9]) : 0;
}

int NvmeHealthFromLine(const QString& line) {
    const QStringList pieces = line.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    const int used = ToNumber(pieces.value(1).trimmed().remove(QLatin1Char('%')));
    const std::int64_t health = used == 1 ? HighestHealth : HighestHealth - std::int64_t{used};
    return static_cast<int>(std::clamp<std::int64_t>(health, LowestHealth, HighestHealth));
}

int HealthFromReport(const QStringList& lines) {
    if (lines.isEmpty()) return 0;
    float health = StartingHealth;
    bool nvmeLog = false;
    for (const QString& line : lines) {
        if (line.contains(NvmeLogHeader)) nvmeLog = true;
        if (nvmeLog) {
            if (line.contains(PercentageUsedLabel)) {
                qCDebug(lcSmart) << "NVMe wear:" << line;
                return NvmeHealthFromLine(line);
            }
            continue;
        }
        if (const AttributeRule* rule = RuleForLine(line)) {
            if (rule->replacesHealth) qCDebug(lcSmart) << "reallocated sectors:" << line;
            health = Apply(*rule, health, RawAttributeValue(line));
        }
    }
    return RoundedHealth(health);
}

}  // namespace smart
