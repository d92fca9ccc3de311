// The libFuzzer target: a reader of tool output that breaks one of its rules aborts, reported like a crash.

#include "ToolOutputReaders.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString fault =
        BrokenReaderRule(QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<int>(size)));
    if (fault.isEmpty()) return 0;
    std::fprintf(stderr, "%s\n", qPrintable(fault));
    std::abort();
}
