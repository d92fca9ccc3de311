// The libFuzzer target: each input goes to every reader of tool output as a capture's bytes. A reader
// that breaks one of its rules aborts, which libFuzzer reports like a crash.

#include "ToolOutputReaders.h"

#include <QLoggingCategory>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The readers name the lines they matched on the debug output; at fuzzing speed that is noise.
    QLoggingCategory::setFilterRules(QStringLiteral("corvane.*.debug=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray capture = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<int>(size));
    for (const ToolOutputReader& reader : ToolOutputReaders()) {
        const QString fault = reader.read(capture);
        if (fault.isEmpty()) continue;
        std::fprintf(stderr, "%s reader: %s\n", reader.name, qPrintable(fault));
        std::abort();
    }
    return 0;
}
