#pragma once

// Every reader of tool output, fed a capture file's raw bytes as the monitor reads one back, with the
// rules its results must keep; shared by the fuzz target and the tests.

#include <QByteArray>
#include <QString>

// The first rule a reader's results break for these bytes, named with the reader; empty when all are sound.
QString BrokenReaderRule(const QByteArray& capture);
