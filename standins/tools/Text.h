#pragma once

// Small text and file helpers shared by the stand-in tools.

#include <optional>
#include <string>
#include <vector>

namespace standin {

// Without leading and trailing spaces and tabs (what the shell's `read` drops).
std::string Trim(const std::string& text);
std::string Lower(std::string text);  // ASCII letters only, as the tools' command words are
std::string Upper(std::string text);
bool StartsWith(const std::string& text, const std::string& prefix);
// Splits at every `separator`; "a||b" gives an empty middle field.
std::vector<std::string> Split(const std::string& text, char separator);
// The words between runs of spaces, tabs and line ends.
std::vector<std::string> Words(const std::string& text);
// A whole non-negative decimal number that fits; nothing for "", "1x", "-1" or too many digits.
std::optional<unsigned long long> DecimalNumber(const std::string& text);

// Character counts and cuts are in UTF-8 code points, so that a model or label with letters outside
// ASCII keeps its columns; a stray byte that is not UTF-8 counts as one.
size_t CharacterCount(const std::string& text);
std::string PadRight(const std::string& text, size_t width);
std::string PadLeft(const std::string& text, size_t width);
std::string FirstCharacters(const std::string& text, size_t count);
// UTF-16LE with a byte-order mark, as WMIC writes a redirected table; bytes that are not UTF-8 become
// U+FFFD.
std::string Utf16LittleEndianWithMark(const std::string& utf8);

// The first line of a file, trimmed; empty when it cannot be read.
std::string FirstLine(const std::string& path);

}  // namespace standin
