// The high-score table shared by every window of the game that runs at once.
//
// Two windows may share one settings file. Each keeps its own changes to the table
// (a score recorded and its name, a Clear) until the file holds them; every save reads
// the table as the file holds it then and applies only those changes to it, so that no
// window writes back the table it found at start-up over another window's scores.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/rules.h"

namespace scores {

// Rows 1 .. kHighScoreRows, best first; row 0 is unused.
using Names = std::array<std::string, game::kHighScoreRows + 1>;
using Scores = std::array<std::int32_t, game::kHighScoreRows + 1>;

// Puts score with name on the first row whose score it reaches (a score equal to a
// row's goes above it); the rows below move down and the last one is lost. The row
// taken, or 0 when the score is below all of them.
int InsertRow(Names& names, Scores& scores, std::int32_t score, const std::string& name);

class TableChanges {
public:
    // The player emptied the table: every earlier change is void.
    void Clear();
    // A new row for score with its name still to come: the open entry until EndEntry.
    void Enter(std::int32_t score);
    // The name the open entry has so far; called at every key that changes it.
    void Name(const std::string& name);
    // The open entry's score reaches no row: it is forgotten.
    void Withdraw();
    // The open entry's name is final. Once the file holds it, the row is the file's
    // like any other: a Clear in another window may remove it.
    void EndEntry();

    // Applies the changes, in the order they were made, to a table as read from the
    // file. Returns the open entry's row, 0 when there is none or it lost its place.
    int ApplyTo(Names& names, Scores& scores) const;
    // The file now holds what ApplyTo made: only the open entry is still followed, found
    // again by the name it was stored under.
    void Saved();

private:
    struct Change {
        bool clear = false;
        std::int32_t score = 0;
        std::string name;
        std::optional<std::string> stored;  // the name the file holds it under
    };
    std::vector<Change> changes_;  // the open entry, if any, is the last
    bool entryOpen_ = false;
};

}  // namespace scores
