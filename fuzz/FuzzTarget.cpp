// One libFuzzer target: the reader named by CORVANE_FUZZ_READER, fed every input as a capture's bytes.
// A reader that breaks one of its rules aborts, which libFuzzer reports like a crash.

#include "ToolOutputReaders.h"

#include <QLoggingCategory>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
const ToolOutputReader* FuzzedReader = nullptr;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The readers name the lines they matched on the debug output; at fuzzing speed that is noise.
    QLoggingCategory::setFilterRules(QStringLiteral("corvane.*.debug=false"));
    FuzzedReader = ToolOutputReaderNamed(QStringLiteral(CORVANE_FUZZ_READER));
    if (!FuzzedReader) {
        std::fprintf(stderr, "no reader named %s\n", CORVANE_FUZZ_READER);
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray capture = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const QString fault = FuzzedReader->read(capture);
    if (!fault.isEmpty()) {
        std::fprintf(stderr, "%s reader: %s\n", FuzzedReader->name, qPrintable(fault));
        std::abort();
    }
    return 0;
}
