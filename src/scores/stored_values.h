// How table values read from and written to the settings file: the file may have
// been edited by hand, so whatever it holds must become something the board can show.
#pragma once

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

// What a name in the table is stored as: its capital letters A to Z, at most as many
// as the board shows. Anything else in a name can only have come from an edited file.
inline std::string NameForStore(const std::string& name) {
    std::string letters;
    for (const char c : name)
        if (c >= 'A' && c <= 'Z' && letters.size() < kBoardLetters) letters += c;
    return letters;
}

}  // namespace scores
