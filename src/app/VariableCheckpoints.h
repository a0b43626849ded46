#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// The variables of a live evaluation, able to go back to their state before an earlier line, so
// that an edit re-evaluates only from the changed line on.
//
// The engine keeps the address of each value, so values live in a deque (never moving) in the
// order their names were first met. A checkpoint records how many names were met, the values
// that the lines since the checkpoint before mention (read or assign), and, for every value that
// changed since the checkpoint before, its earlier value: going back replays those records in
// reverse. Checkpoints are spaced so that recording one (a pass over all values) costs no more
// than a small share of evaluating the lines between them.
//
// Going back may keep the checkpoints it passes ("ahead", the previous pass's): when the new pass
// reaches one of them after the edited lines with the same state, the rest of the previous pass
// holds again and is taken over instead of evaluated.
class VariableCheckpoints {
public:
    VariableCheckpoints();

    // The value of a name met before, or null.
    double* find(const std::string& name);
    const double* find(const std::string& name) const;
    // A new value, 0, for a name not met before.
    double* create(const std::string& name);
    std::size_t size() const { return count; }

    // The line being evaluated reads or assigns value; null: it may mention any value.
    void mention(const double* value) { mentions.push_back(value); }
    // Records the state after the first lines lines when the last checkpoint lies far enough back.
    void lineDone(int lines);
    // Records the state at the end of a pass that fed lines lines; failed: its last line failed.
    void passEnded(int lines, bool failed);
    // Back to the latest checkpoint at or before the first lines lines; returns its line count.
    // Every address handed out for a name met after it becomes invalid. keepAhead: the
    // checkpoints after it stay as the previous pass's (see below), when the last pass ended;
    // otherwise any kept ones are dropped.
    int goBackTo(int lines, bool keepAhead = false);

    // The line count of the previous pass's next checkpoint, in that pass's numbering; -1 when
    // none is kept.
    int aheadLines() const;
    // Steps over the next checkpoint of the previous pass without meeting it.
    void passAhead();
    // Whether the state now equals the previous pass's at its next checkpoint for every line
    // after it: the same names, and the same values except those no later line mentions.
    bool sameAsAhead();
    // Takes over the previous pass from its next checkpoint (reached after lines lines) to its
    // end, whose line count it returns; shift: lines now minus lines then.
    int takeAhead(int lines, int shift);
    void dropAhead();

private:
    struct Checkpoint {
        int lines;
        std::size_t count;
        std::vector<std::pair<std::uint32_t, double>> earlier;
        std::vector<const double*> mentioned;
    };
    // A checkpoint of the previous pass seen from the one before it: the values that changed,
    // new names included.
    struct Ahead {
        int lines;
        std::size_t count;
        std::vector<std::pair<std::uint32_t, double>> later;
        std::vector<const double*> mentioned;
    };

    void record(int lines);
    void forgetOldNames();
    void applyFront();
    bool mentionedAhead(const double* value) const;

    std::deque<double> values;
    // Names beyond count are the previous pass's, kept so that meeting them again in the same
    // order gives the same addresses.
    std::vector<std::string> names;
    std::size_t count = 0;
    std::unordered_map<std::string, std::uint32_t> index;
    // The values at the last checkpoint.
    std::vector<double> recorded;
    std::vector<Checkpoint> checkpoints;
    std::vector<const double*> mentions;
    // The previous pass's checkpoints not yet reached, the next one first, with its values at
    // the last one passed.
    std::deque<Ahead> ahead;
    std::vector<double> aheadValues;
    bool frontApplied = false;
    // The line count of the checkpoint the previous pass's kept ones follow.
    int aheadStart = 0;
    // The last whole pass ended on a failing line.
    bool aheadFailed = false;
    bool passComplete = false;
};
