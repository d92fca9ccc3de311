#include "DialogLayout.h"

#include <QWidget>

#include <cstring>

Language ActiveLanguage() {
    for (int index = 0; index < LanguageCount; ++index)
        if (LanguageFlag[static_cast<size_t>(index)]) return static_cast<Language>(index);
    return Language::EN;
}

DialogLayout LayoutForLanguage(const DialogLayout& english, const LayoutChanges& changes, Language language) {
    DialogLayout layout = english;
    for (const LayoutChange& change : changes) {
        if (change.language != language) continue;
        for (LayoutRow& row : layout) {
            if (std::strcmp(row.widget, change.widget) != 0) continue;
            switch (change.field) {
            case LayoutField::X: row.x = change.value; break;
            case LayoutField::Y: row.y = change.value; break;
            case LayoutField::Width: row.width = change.value; break;
            case LayoutField::Height: row.height = change.value; break;
            }
        }
    }
    return layout;
}

int ScaledLength(int length, float factor) { return static_cast<int>(static_cast<float>(length) * factor); }

void ApplyLayout(QWidget& dialog, const DialogLayout& layout, float factor) {
    for (const LayoutRow& row : layout) {
        const QString name = QString::fromLatin1(row.widget);
        QWidget* widget = name.isEmpty() ? &dialog : dialog.findChild<QWidget*>(name);
        if (!widget) continue;
        const int width = ScaledLength(row.width, factor);
        // The warning image is stretched to its label, so the label stays square.
        const int height = name == QLatin1String("ImageLbl") ? width : ScaledLength(row.height, factor);
        widget->setFixedSize(width, height);
        if (row.x != KeepPosition) widget->move(ScaledLength(row.x, factor), ScaledLength(row.y, factor));
    }
}
