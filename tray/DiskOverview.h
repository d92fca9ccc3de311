#pragma once

// What each drive's submenu says: the entry texts, the grade of each figure and the image that shows
// the grade, and the drive letters read from diskpart's volume table.

#include <QString>
#include <QStringList>

namespace tray {

// Grades name their image: "NormalTemp", "AverageTemp" or "HighTemp" and so on. The temperature is
// always graded in degrees Celsius.
QString TemperatureGrade(int celsius);
QString HealthGrade(int health);
QString PerformanceGrade(int performance);

// ":/images/<folder>/<grade>.png" for the image folder of `classScale`; empty below scale 1.0.
QString GradeImagePath(float classScale, const QString& grade);

// The entry texts, translated in the controller's context. The temperature is shown in Fahrenheit
// when `temperatureUnit` is exactly "F".
QString TemperatureEntryText(int celsius, const QString& temperatureUnit);
QString HealthEntryText(int health);
QString PerformanceEntryText(int performance);
QString PartitionEntryText(const QStringList& letters);

// A drive's model as its submenu's title: "&" stays itself instead of marking a shortcut key.
QString DriveMenuTitle(const QString& model);

// The drive letters of the volume rows of diskpart's "detail disk" output, in row order. A row
// without a letter gives none.
QStringList VolumeLetters(const QStringList& diskpartLines);

}  // namespace tray
