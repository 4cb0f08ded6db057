// How table values read from and written to the settings file: the file may have
// been edited by hand, so whatever it holds must become something the board can show.
#pragma once

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>

namespace scores {

constexpr std::int32_t kHighestScore = 9'999'999;  // the most the seven digits show
constexpr std::size_t kBoardLetters = 7;           // letter columns of a board row

// A stored score: decimal digits giving 0 … kHighestScore. Anything else (a sign,
// blanks inside, other characters, too large a value) reads as 0, like a missing key.
inline std::int32_t ScoreFromText(const std::string& text) {
    if (text.empty()) return 0;
    std::int32_t score = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return 0;
        score = score * 10 + (c - '0');
        if (score > kHighestScore) return 0;
    }
    return score;
}

// What a name in the table is written to the file as: the name as it stands, less
// what a line of the file cannot give back. Control characters (CR, LF, NUL, tabs…)
// are dropped; the reader ends a value at a ';' after a blank and trims the blanks
// around it, so the name is cut and trimmed here the same way. A name read from the
// file, or typed on the board, thus comes back from the next run exactly as it was.
inline std::string NameForStore(const std::string& name) {
    std::string kept;
    for (const char c : name)
        if (!std::iscntrl(static_cast<unsigned char>(c))) kept += c;
    kept = kept.substr(0, kept.find(" ;"));
    const std::size_t begin = kept.find_first_not_of(' ');
    if (begin == std::string::npos) return {};
    return kept.substr(begin, kept.find_last_not_of(' ') + 1 - begin);
}

}  // namespace scores
