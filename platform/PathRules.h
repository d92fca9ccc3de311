#pragma once

// Path rules each system's implementation answers for itself; used by the shared platform code.

#include <string>

namespace platform::detail {

bool IsAbsolutePath(const std::string& path);

}  // namespace platform::detail
