#include "PathRules.h"
#include "Platform.h"

#include <cstring>

namespace platform {

std::string LiteralToolPath(const std::string& setting, std::string& problem) {
    std::string path = setting;
    // The companion may store the path already quoted for a command line.
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
    // Quoted, the interpreter takes "&", "|", "<", ">", "^" and parentheses literally, and "!" too, since
    // it runs with delayed expansion off; it still expands "%", and a quote or a control character ends
    // the word.
    for (const unsigned char c : path) {
        if (c < 0x20 || c == 0x7F) {
            problem = "it holds a control character";
            return {};
        }
        if (std::strchr("\"%", c)) {
            problem = std::string("it holds the character ") + static_cast<char>(c);
            return {};
        }
    }
    if (path.empty()) {
        problem = "it is empty";
        return {};
    }
    if (!detail::IsAbsolutePath(path)) {
        problem = "it is not an absolute path";
        return {};
    }
    return path;
}

}  // namespace platform
