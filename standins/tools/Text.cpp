#include "Text.h"

#include "System.h"

namespace standin {

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        fields.push_back(text.substr(start, end - start));
    fields.push_back(text.substr(start));
    return fields;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    size_t start = 0;
    while ((start = text.find_first_not_of(" \t\n", start)) != std::string::npos) {
        const size_t end = text.find_first_of(" \t\n", start);
        words.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end;
    }
    return words;
}

std::optional<unsigned long long> DecimalNumber(const std::string& text) {
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos) return {};
    return std::stoull(text);
}

namespace {

// The length of the UTF-8 sequence at `at`, or 0 when the bytes there are not one.
size_t SequenceLength(const std::string& text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || at + length > text.size()) return 0;
    for (size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[at + i]) >> 6) != 0x2) return 0;
    return length;
}

size_t CharacterEnd(const std::string& text, size_t at) {
    const size_t length = SequenceLength(text, at);
    return at + (length == 0 ? 1 : length);
}

}  // namespace

size_t CharacterCount(const std::string& text) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); at = CharacterEnd(text, at)) ++count;
    return count;
}

std::string PadRight(const std::string& text, size_t width) {
    const size_t count = CharacterCount(text);
    return count >= width ? text : text + std::string(width - count, ' ');
}

std::string PadLeft(const std::string& text, size_t width) {
    const size_t count = CharacterCount(text);
    return count >= width ? text : std::string(width - count, ' ') + text;
}

std::string FirstCharacters(const std::string& text, size_t count) {
    size_t at = 0;
    for (size_t taken = 0; at < text.size() && taken < count; ++taken) at = CharacterEnd(text, at);
    return text.substr(0, at);
}

std::string Utf16LittleEndianWithMark(const std::string& utf8) {
    std::string bytes("\xFF\xFE", 2);
    const auto unit = [&bytes](unsigned value) {
        bytes += static_cast<char>(value & 0xFF);
        bytes += static_cast<char>(value >> 8);
    };
    for (size_t at = 0; at < utf8.size();) {
        const size_t length = SequenceLength(utf8, at);
        unsigned code = 0xFFFD;
        if (length == 1) {
            code = static_cast<unsigned char>(utf8[at]);
        } else if (length > 1) {
            code = static_cast<unsigned char>(utf8[at]) & (0x7F >> length);
            for (size_t i = 1; i < length; ++i) code = (code << 6) | (static_cast<unsigned char>(utf8[at + i]) & 0x3F);
            if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
        }
        if (code >= 0x10000) {
            unit(0xD800 + ((code - 0x10000) >> 10));
            unit(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            unit(code);
        }
        at += length == 0 ? 1 : length;
    }
    return bytes;
}

std::string FirstLine(const std::string& path) {
    const std::string text = ReadFileText(path, 4096).value_or(std::string());
    return Trim(text.substr(0, text.find('\n')));
}

}  // namespace standin
