#include "scores/table_changes.h"

#include "scores/stored_values.h"

namespace scores {

int InsertRow(Names& names, Scores& scores, std::int32_t score, const std::string& name) {
    for (int row = 1; row <= game::kHighScoreRows; ++row) {
        if (score < scores[row]) continue;
        for (int j = game::kHighScoreRows; j > row; --j) {
            names[j] = names[j - 1];
            scores[j] = scores[j - 1];
        }
        names[row] = name;
        scores[row] = score;
        return row;
    }
    return 0;
}

void TableChanges::Clear() {
    changes_.assign(1, Change{});
    changes_.back().clear = true;
    entryOpen_ = false;
}

void TableChanges::Enter(std::int32_t score) {
    EndEntry();
    changes_.emplace_back().score = score;
    entryOpen_ = true;
}

void TableChanges::Name(const std::string& name) {
    if (entryOpen_) changes_.back().name = name;
}

void TableChanges::Withdraw() {
    if (!entryOpen_) return;
    entryOpen_ = false;
    changes_.pop_back();
}

void TableChanges::EndEntry() {
    if (!entryOpen_) return;
    entryOpen_ = false;
    if (changes_.back().stored == NameForStore(changes_.back().name)) changes_.pop_back();
}

int TableChanges::ApplyTo(Names& names, Scores& scores) const {
    int row = 0;
    for (const Change& change : changes_) {
        if (change.clear) {
            names.fill("");
            scores.fill(0);
            continue;
        }
        row = 0;
        // A row stored before is renamed where it stands now; one the file lacks (never
        // stored, or cleared by another window while its name was typed) comes back.
        for (int r = 1; r <= game::kHighScoreRows && change.stored && row == 0; ++r)
            if (scores[r] == change.score && names[r] == *change.stored) row = r;
        if (row != 0)
            names[row] = change.name;
        else
            row = InsertRow(names, scores, change.score, change.name);
    }
    return entryOpen_ ? row : 0;
}

void TableChanges::Saved() {
    if (!entryOpen_) {
        changes_.clear();
        return;
    }
    changes_.erase(changes_.begin(), changes_.end() - 1);
    changes_.back().stored = NameForStore(changes_.back().name);
}

}  // namespace scores
