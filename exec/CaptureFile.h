#pragma once

// Capture files: a tool's output, appended to a fixed file name in the monitor's private work folder,
// and read back line by line.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

enum class WorkFolderState { Ready, Unavailable, HeldByAnotherMonitor };

// Makes sure the private work folder is there and still the monitor's own, and claims the monitor's lock
// in it until that succeeds. Every check asks this first and runs no tool unless it is Ready; the reason
// it is not is named in the debug output. HeldByAnotherMonitor only when another monitor holds the lock.
WorkFolderState PrepareWorkFolder();

// The work folder followed by `fileName`; empty while there is no work folder.
QString CapturePath(const QString& fileName);

// The lines of a capture file, or nothing when it cannot be read: missing, not a regular file of this
// user (a link, a pipe, another user's file), or unreadable.
std::optional<QStringList> ReadCaptureLines(const QString& path);

// The lines of a capture's bytes: a byte-order mark selects UTF-8, UTF-16 or UTF-32; UTF-16 without
// a mark is recognised by its NUL bytes; otherwise the system's 8-bit encoding applies; every carriage return is dropped and a final line feed ends the
// last line rather than starting an empty one.
QStringList DecodeCaptureLines(const QByteArray& bytes);

// The words of a line: cut at spaces only, empty pieces dropped.
QStringList SplitWords(const QString& line);

// A word as a base-10 integer; 0 when it is not a whole number in the 32-bit range.
int ToNumber(const QString& word);

// True when the capture is a regular file of this user and is not empty.
bool CaptureHasContent(const QString& path);

void RemoveCaptureFile(const QString& path);
