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
// order their names were first met. A checkpoint records how many names were met and, for every
// value that changed since the checkpoint before, its earlier value: going back replays those
// records in reverse. Checkpoints are spaced so that recording one (a pass over all values)
// costs no more than a small share of evaluating the lines between them.
class VariableCheckpoints {
public:
    VariableCheckpoints();

    // The value of a name met before, or null.
    double* find(const std::string& name);
    const double* find(const std::string& name) const;
    // A new value, 0, for a name not met before.
    double* create(const std::string& name);
    std::size_t size() const { return values.size(); }

    // Records the state after the first lines lines when the last checkpoint lies far enough back.
    void lineDone(int lines);
    // Back to the latest checkpoint at or before the first lines lines; returns its line count.
    // Every address handed out for a name met after it becomes invalid.
    int goBackTo(int lines);

private:
    struct Checkpoint {
        int lines;
        std::size_t count;
        std::vector<std::pair<std::uint32_t, double>> earlier;
    };

    void record(int lines);

    std::deque<double> values;
    std::vector<std::string> names;
    std::unordered_map<std::string, std::uint32_t> index;
    // The values at the last checkpoint.
    std::vector<double> recorded;
    std::vector<Checkpoint> checkpoints;
};
