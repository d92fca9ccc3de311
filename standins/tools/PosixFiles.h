#pragma once

// File helpers of the Linux side of the stand-in tools (SystemPosix.cpp).

#include <optional>
#include <string>
#include <vector>

namespace standin {

std::optional<std::string> ReadOpenFile(int descriptor, size_t limit);
// The names in a folder but "." and ".."; none when it cannot be read.
std::vector<std::string> FolderEntries(const std::string& folder);

}  // namespace standin
