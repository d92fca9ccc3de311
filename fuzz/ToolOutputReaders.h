#pragma once

// Every reader of tool output, fed the raw bytes of a capture file just as the monitor reads one back,
// with the rules its results must keep. The fuzz target and the tests share these entry points.

#include <QByteArray>
#include <QString>

#include <vector>

struct ToolOutputReader {
    const char* name;
    // Runs the reader over a capture's bytes and checks what it gave back: the broken rule, or empty
    // text when every result was sound.
    QString (*read)(const QByteArray& capture);
};

const std::vector<ToolOutputReader>& ToolOutputReaders();
