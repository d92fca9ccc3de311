#pragma once

// What the tests that run real programs share: writing stand-in scripts, reading files back and
// waiting for a program to get somewhere.

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QTest>

#include <functional>

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes `bytes` to `path`, creating its folder; returns false when it cannot.
inline bool WriteBytes(const QString& path, const QByteArray& bytes, bool executable = false) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return false;
    file.close();
    return !executable || file.setPermissions(file.permissions() | QFile::ExeOwner);
}

// Keeps the event loop turning until `condition` holds or `milliseconds` have passed.
inline bool WaitUntil(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds) return false;
        QTest::qWait(100);
    }
    return true;
}
