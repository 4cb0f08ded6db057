// The settings reader of the browser build. The desktop links the system's inih; a
// page has no such library, so this reads settings text by the same rules with the
// same defaults (the header is the system's ini.h): lines as the reader hands them (at
// most INI_MAX_LINE - 1 bytes), ';' and '#' comment lines, ';' comments after a
// blank, "name=value" or "name: value" with the blanks around both trimmed,
// "[section]" headers, and an indented line continuing the value of the name above
// it, ';' and all. A section name keeps at most 49 bytes, as does the name a
// continuation line repeats. tests/ini checks that both readers read alike.
#include <ini.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr std::size_t kMaxName = 50;  // with the terminating NUL

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

char* TrimEnd(char* text) {
    char* end = text + std::strlen(text);
    while (end > text && IsBlank(end[-1])) *--end = '\0';
    return text;
}

char* SkipBlanks(char* text) {
    while (*text != '\0' && IsBlank(*text)) ++text;
    return text;
}

// The first of `stops` in text, or the start of a ';' comment after a blank, or the end.
char* FindStopOrComment(char* text, const char* stops) {
    bool afterBlank = false;
    while (*text != '\0' && (stops == nullptr || std::strchr(stops, *text) == nullptr) &&
           !(afterBlank && std::strchr(INI_INLINE_COMMENT_PREFIXES, *text) != nullptr)) {
        afterBlank = IsBlank(*text);
        ++text;
    }
    return text;
}

void CopyName(char* to, const char* from) {
    const std::size_t length = std::min(std::strlen(from), kMaxName - 1);
    std::memcpy(to, from, length);
    to[length] = '\0';
}

}  // namespace

extern "C" int ini_parse_stream(ini_reader reader, void* stream, ini_handler handler, void* user) {
    char line[INI_MAX_LINE];
    char section[kMaxName] = "";
    char previous[kMaxName] = "";
    int lineNumber = 0, error = 0;
    while (reader(line, sizeof line, stream) != nullptr) {
        ++lineNumber;
        char* start = line;
        if (lineNumber == 1 && std::strncmp(start, "\xEF\xBB\xBF", 3) == 0) start += 3;
        start = SkipBlanks(TrimEnd(start));
        if (std::strchr(INI_START_COMMENT_PREFIXES, *start) != nullptr) continue;  // or empty
        if (*previous != '\0' && start > line) {
            if (handler(user, section, previous, start) == 0 && error == 0) error = lineNumber;
        } else if (*start == '[') {
            char* end = FindStopOrComment(start + 1, "]");
            if (*end == ']') {
                *end = '\0';
                CopyName(section, start + 1);
                *previous = '\0';
            } else if (error == 0) {
                error = lineNumber;
            }
        } else {
            char* end = FindStopOrComment(start, "=:");
            if (*end != '=' && *end != ':') {
                if (error == 0) error = lineNumber;
                continue;
            }
            *end = '\0';
            const char* name = TrimEnd(start);
            char* value = end + 1;
            *FindStopOrComment(value, nullptr) = '\0';
            value = SkipBlanks(value);
            TrimEnd(value);
            CopyName(previous, name);
            if (handler(user, section, name, value) == 0 && error == 0) error = lineNumber;
        }
    }
    return error;
}
