// What must hold for any settings text, however damaged: reading it never fails, the
// store written out and read back holds the very same values, every score the game
// takes from it lies in 0 … 9,999,999, and every name, as the game saves it, holds no
// control character and comes back from the file unchanged. Throws std::logic_error
// when something does not hold.
#pragma once

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <string>

#include "scores/settings_store.h"
#include "scores/stored_values.h"

namespace fuzz {

inline void Require(bool holds, const std::string& what) {
    if (!holds) throw std::logic_error(what);
}

// The value under key after a store holding only that value has been through the file.
inline std::string ThroughTheFile(const std::string& key, const std::string& value) {
    scores::SettingsStore written("FrothwickPro");
    written.SaveSetting("Settings", key, value);
    scores::SettingsStore read("FrothwickPro");
    read.Parse(written.Text());
    return read.GetSetting("Settings", key);
}

inline void CheckSettingsText(const std::string& text) {
    scores::SettingsStore store("FrothwickPro");
    store.Parse(text);
    scores::SettingsStore reread("FrothwickPro");
    reread.Parse(store.Text());
    Require(reread.Text() == store.Text(), "a value changed on the way through the file");
    for (int row = 0; row <= 10; ++row) {
        const std::string scoreKey = "HighScore" + std::to_string(row);
        const std::int32_t score = scores::ScoreFromText(store.GetSetting("Settings", scoreKey));
        Require(score >= 0 && score <= scores::kHighestScore,
                scoreKey + " gives a score out of range");
        const std::string nameKey = "HighScoreName" + std::to_string(row);
        const std::string name = scores::NameForStore(store.GetSetting("Settings", nameKey));
        Require(std::none_of(name.begin(), name.end(),
                             [](unsigned char c) { return std::iscntrl(c) != 0; }),
                nameKey + " keeps a control character");
        Require(ThroughTheFile(nameKey, name) == name, nameKey + " does not come back as saved");
    }
}

}  // namespace fuzz
