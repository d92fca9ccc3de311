#include "LayoutTables.h"

namespace {

using L = Language;
constexpr LayoutField X = LayoutField::X;
constexpr LayoutField Width = LayoutField::Width;
constexpr LayoutField Height = LayoutField::Height;
constexpr int Keep = KeepPosition;

LayoutChanges Joined(LayoutChanges first, const LayoutChanges& second) {
    first += second;
    return first;
}

}  // namespace

// clang-format off
const DialogLayout TemperatureWarningLayout = {
    {WholeDialog,        Keep, Keep, 636, 321},
    {"CenterTitleLabel", Keep, Keep, 632,  32},
    {"MainFrame",        Keep, Keep, 636, 321},
    {"ImageLbl",           30,   60, 100, 100},
    {"MediaNameLabel",    155,  102, 457,  30},
    {"OkButton",          510,  260, 100,  32},
    {"DontShowLabel",      50,  266, 200,  24},
    {"WarningLbl",        155,   53, 135,  50},
    {"WarningTxtLbl",     155,  131, 457,  68},
    {"CheckBox",           30,  267,  20,  23},
    {"ShutDownButton",    400,  260, 100,  32},
};

const LayoutChanges TemperatureWarningChanges = {
    {L::DE, "WarningLbl", Width, 180}, {L::DE, "ShutDownButton", X, 385}, {L::DE, "ShutDownButton", Width, 112},
    {L::FR, "DontShowLabel", Width, 205}, {L::FR, "WarningLbl", Width, 220},
    {L::IT, "DontShowLabel", Width, 205}, {L::IT, "WarningLbl", Width, 200},
    {L::ES, "DontShowLabel", Width, 208}, {L::ES, "WarningTxtLbl", Height, 64},
    {L::JA, "WarningTxtLbl", Height, 64},
    {L::CN, "CenterTitleLabel", Height, 30}, {L::CN, "DontShowLabel", Height, 22}, {L::CN, "WarningTxtLbl", Height, 64},
    {L::KO, "CenterTitleLabel", Height, 30}, {L::KO, "WarningTxtLbl", Height, 64},
    {L::DU, "DontShowLabel", Width, 205}, {L::DU, "WarningLbl", Width, 220},
    {L::BR, "DontShowLabel", Width, 205}, {L::BR, "WarningLbl", Width, 220},
    {L::BR, "ShutDownButton", X, 396}, {L::BR, "ShutDownButton", Width, 105},
    {L::HI, "OkButton", X, 508}, {L::HI, "OkButton", Width, 114}, {L::HI, "DontShowLabel", Width, 205},
    {L::HI, "WarningLbl", Width, 220}, {L::HI, "ShutDownButton", X, 398},
};

const DialogLayout ShutdownWarningLayout = {
    {WholeDialog,        Keep, Keep, 636, 321},
    {"CenterTitleLabel", Keep, Keep, 632,  32},
    {"MainFrame",        Keep, Keep, 636, 321},
    {"ImageLbl",           30,   60, 100, 100},
    {"MediaNameLabel",    155,  102, 457,  30},
    {"OkButton",          510,  260, 100,  32},
    {"WarningLbl",        155,   53, 135,  50},
    {"WarningTxtLbl",     155,  131, 457,  64},
    {"ShutDownButton",    400,  260, 100,  32},
};

const LayoutChanges ShutdownWarningChanges = {
    {L::DE, "CenterTitleLabel", Height, 30}, {L::DE, "ShutDownButton", X, 385}, {L::DE, "ShutDownButton", Width, 112},
    {L::DE, "WarningLbl", Width, 180},
    {L::FR, "WarningLbl", Width, 220}, {L::FR, "WarningTxtLbl", Height, 65},
    {L::IT, "WarningLbl", Width, 200}, {L::IT, "WarningTxtLbl", Height, 68},
    {L::CN, "CenterTitleLabel", Height, 30},
    {L::KO, "CenterTitleLabel", Height, 30},
    {L::DU, "WarningLbl", Width, 220}, {L::DU, "WarningTxtLbl", Height, 65},
    {L::BR, "ShutDownButton", X, 396}, {L::BR, "ShutDownButton", Width, 105}, {L::BR, "WarningLbl", Width, 220},
    {L::BR, "WarningTxtLbl", Height, 65},
    {L::HI, "OkButton", X, 512}, {L::HI, "OkButton", Width, 113}, {L::HI, "ShutDownButton", X, 398},
    {L::HI, "WarningLbl", Width, 220}, {L::HI, "WarningTxtLbl", Height, 65},
};

const DialogLayout DriveWarningLayout = {
    {WholeDialog,         Keep, Keep, 636, 321},
    {"CenterTitleLabel",  Keep, Keep, 632,  32},
    {"MainFrame",         Keep, Keep, 636, 321},
    {"ImageLbl",            30,   60, 100, 100},
    {"MediaNameLabel",     155,  102, 470,  30},
    {"OkButton",           510,  260, 100,  32},
    {"CloneButton",        400,  260, 100,  32},
    {"RecoverData",        280,  260, 110,  32},
    {"DontShowLabel",       50,  266, 200,  24},
    {"WarningLbl",         155,   53, 135,  50},
    {"WarningTxtLbl",      155,  131, 456,  64},
    {"RecoverDataTxtLbl",  155,  195, 456,  42},
    {"CheckBox",            30,  267,  20,  23},
};

namespace {

// French, Dutch and Portuguese share one button row and a taller message.
LayoutChanges FrenchStyleChanges(Language language) {
    return {
        {language, "OkButton", X, 544}, {language, "OkButton", Width, 84},
        {language, "CloneButton", X, 421}, {language, "CloneButton", Width, 120},
        {language, "RecoverData", X, 248}, {language, "RecoverData", Width, 169},
        {language, "DontShowLabel", X, 36}, {language, "DontShowLabel", Width, 205},
        {language, "WarningLbl", Width, 220}, {language, "WarningTxtLbl", Height, 68}, {language, "CheckBox", X, 18},
    };
}

const LayoutChanges DriveWarningChanges = Joined(Joined(Joined(FrenchStyleChanges(L::FR), FrenchStyleChanges(L::DU)),
                                                        FrenchStyleChanges(L::BR)), {
    {L::DE, "OkButton", X, 530}, {L::DE, "OkButton", Width, 93}, {L::DE, "CloneButton", Width, 124},
    {L::DE, "RecoverData", X, 230}, {L::DE, "RecoverData", Width, 165}, {L::DE, "WarningLbl", Width, 180},
    {L::DE, "WarningTxtLbl", Width, 465},
    {L::IT, "DontShowLabel", Width, 205}, {L::IT, "WarningLbl", Width, 200}, {L::IT, "WarningTxtLbl", Height, 68},
    {L::ES, "CloneButton", X, 402}, {L::ES, "RecoverData", X, 277}, {L::ES, "RecoverData", Width, 118},
    {L::ES, "DontShowLabel", Width, 208},
    {L::JA, "OkButton", X, 512}, {L::JA, "CloneButton", X, 360}, {L::JA, "CloneButton", Width, 143},
    {L::JA, "RecoverData", X, 240},
    {L::CN, "CenterTitleLabel", Height, 30}, {L::CN, "DontShowLabel", Height, 22},
    {L::KO, "CenterTitleLabel", Height, 30},
    {L::DU, "RecoverDataTxtLbl", Height, 45},
    {L::BR, "RecoverDataTxtLbl", Height, 45},
    {L::HI, "OkButton", X, 515}, {L::HI, "OkButton", Width, 113}, {L::HI, "CloneButton", X, 370},
    {L::HI, "CloneButton", Width, 137}, {L::HI, "RecoverData", X, 200}, {L::HI, "RecoverData", Width, 162},
    {L::HI, "DontShowLabel", X, 36}, {L::HI, "DontShowLabel", Width, 205}, {L::HI, "WarningLbl", Width, 220},
    {L::HI, "WarningTxtLbl", Height, 68}, {L::HI, "CheckBox", X, 18},
});

}  // namespace

const LayoutChanges HealthWarningChanges = Joined(DriveWarningChanges, {{L::JA, "RecoverData", Width, 112}});
const LayoutChanges PerformanceWarningChanges = DriveWarningChanges;
// clang-format on
