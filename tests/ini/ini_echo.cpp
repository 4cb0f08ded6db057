// Prints what a settings reader hands over for each file named: a "== file" line, a
// line per name and value with their section, and the reader's result. Built twice,
// against the desktop's inih and against the browser build's own reader, so that
// same_reading.py can check that the two read every file alike.
#include <ini.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

char* ReadLine(char* line, int size, void* file) {
    return std::fgets(line, size, static_cast<std::FILE*>(file));
}

// Prints text between angle brackets with every byte outside printable ASCII, and the
// backslash, as \xNN: the output then has one line per entry whatever the text holds.
void PrintEscaped(const char* text) {
    std::putchar('<');
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        if (*c < 0x20 || *c >= 0x7f || *c == '\\') {
            std::printf("\\x%02x", *c);
        } else {
            std::putchar(*c);
        }
    }
    std::putchar('>');
}

// Refuses the name "Refuse", so that the line number of a refused entry is compared too.
int Echo(void*, const char* section, const char* name, const char* value) {
    for (const char* text : {section, name, value}) PrintEscaped(text);
    std::putchar('\n');
    return std::strcmp(name, "Refuse") != 0;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::FILE* file = std::fopen(argv[i], "rb");
        if (file == nullptr) {
            std::perror(argv[i]);
            return 2;
        }
        std::printf("== %s\n", argv[i]);
        std::printf("result %d\n", ini_parse_stream(ReadLine, file, Echo, nullptr));
        std::fclose(file);
    }
    return 0;
}
