// What must hold for any settings text, however damaged: reading it never fails, every
// value the game takes from it becomes a score of 0 … 9,999,999 and a name of at most
// seven letters A to Z, and writing the store out and reading it back gives the same
// values. Throws std::logic_error when something does not hold.
#pragma once

#include <stdexcept>
#include <string>

#include "scores/settings_store.h"
#include "scores/stored_values.h"

namespace fuzz {

inline void Require(bool holds, const std::string& what) {
    if (!holds) throw std::logic_error(what);
}

inline void CheckSettingsText(const std::string& text) {
    scores::SettingsStore store("FrothwickPro");
    store.Parse(text);
    scores::SettingsStore reread("FrothwickPro");
    reread.Parse(store.Text());
    for (int row = 0; row <= 10; ++row) {
        for (const std::string& key :
             {"HighScoreName" + std::to_string(row), "HighScore" + std::to_string(row)}) {
            const std::string value = store.GetSetting("Settings", key);
            Require(reread.GetSetting("Settings", key) == value,
                    key + " changed on the way through the file");
            Require(value.find('\n') == std::string::npos, key + " holds a line break");
            const std::int32_t score = scores::ScoreFromText(value);
            Require(score >= 0 && score <= scores::kHighestScore,
                    key + " gives a score out of range");
            const std::string name = scores::NameForStore(value);
            Require(name.size() <= scores::kBoardLetters &&
                        name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::string::npos,
                    key + " gives a name the board cannot show");
        }
    }
    Require(reread.GetSetting("Settings", "Sound") == store.GetSetting("Settings", "Sound"),
            "Sound changed");
}

}  // namespace fuzz
