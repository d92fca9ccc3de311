#pragma once

// The warning dialogs have no Qt layouts: every widget sits at fixed 96-DPI coordinates chosen per
// language (longer translations get wider labels and buttons) and is scaled by the DPI class.

#include "app/Language.h"

#include <QString>
#include <QVector>

class QWidget;

// In the x and y columns: the widget keeps the form's position and is only sized.
inline constexpr int KeepPosition = -1;

// The row name that stands for the dialog itself.
inline constexpr const char* WholeDialog = "";

struct LayoutRow {
    const char* widget;  // object name
    int x;
    int y;
    int width;
    int height;
};

using DialogLayout = QVector<LayoutRow>;

enum class LayoutField { X, Y, Width, Height };

// One number of one language that differs from the English table.
struct LayoutChange {
    Language language;
    const char* widget;
    LayoutField field;
    int value;
};

using LayoutChanges = QVector<LayoutChange>;

// The language whose flag is set; English when none is.
Language ActiveLanguage();

// The English table with the language's changes applied, still in 96-DPI pixels.
DialogLayout LayoutForLanguage(const DialogLayout& english, const LayoutChanges& changes, Language language);

// A 96-DPI length at the given factor, multiplied as a float and truncated toward zero.
int ScaledLength(int length, float factor);

// Sizes and places the dialog's widgets in table order: rows that keep their position are only
// sized, all others are sized and then moved.
void ApplyLayout(QWidget& dialog, const DialogLayout& layout, float factor);
