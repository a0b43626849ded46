#include "VariableCheckpoints.h"

#include <algorithm>
#include <bit>

namespace {

// Checkpoints lie at least this many lines apart...
constexpr int minSpacing = 64;
// ...and at least one line per this many values, so comparing all values at a checkpoint costs
// about as much as evaluating a few lines, while going back re-evaluates a few thousand lines at
// most even with a hundred thousand names.
constexpr std::size_t valuesPerLine = 32;

// Bit for bit: -0 differs from 0 in what it shows, and a NaN equals itself.
bool same(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

} // namespace

VariableCheckpoints::VariableCheckpoints() {
    checkpoints.push_back({0, 0, {}});
}

double* VariableCheckpoints::find(const std::string& name) {
    const auto found = index.find(name);
    return found == index.end() ? nullptr : &values[found->second];
}

const double* VariableCheckpoints::find(const std::string& name) const {
    const auto found = index.find(name);
    return found == index.end() ? nullptr : &values[found->second];
}

double* VariableCheckpoints::create(const std::string& name) {
    index.emplace(name, std::uint32_t(values.size()));
    names.push_back(name);
    return &values.emplace_back(0.0);
}

void VariableCheckpoints::lineDone(int lines) {
    const int spacing = std::max(minSpacing, int(values.size() / valuesPerLine));
    if (lines - checkpoints.back().lines >= spacing)
        record(lines);
}

void VariableCheckpoints::record(int lines) {
    Checkpoint checkpoint{lines, values.size(), {}};
    for (std::size_t i = 0; i < recorded.size(); ++i) {
        if (!same(values[i], recorded[i])) {
            checkpoint.earlier.emplace_back(std::uint32_t(i), recorded[i]);
            recorded[i] = values[i];
        }
    }
    recorded.insert(recorded.end(), values.begin() + std::ptrdiff_t(recorded.size()), values.end());
    checkpoints.push_back(std::move(checkpoint));
}

int VariableCheckpoints::goBackTo(int lines) {
    // The recorded values go back checkpoint by checkpoint; the values then follow them,
    // dropping whatever the lines after the last checkpoint changed.
    while (checkpoints.size() > 1 && checkpoints.back().lines > lines) {
        for (auto it = checkpoints.back().earlier.rbegin(); it != checkpoints.back().earlier.rend();
             ++it)
            recorded[it->first] = it->second;
        checkpoints.pop_back();
    }
    const std::size_t count = checkpoints.back().count;
    recorded.resize(count);
    std::copy(recorded.begin(), recorded.end(), values.begin());
    if (count == 0)
        index.clear();
    while (names.size() > count) {
        index.erase(names.back());
        names.pop_back();
        values.pop_back();
    }
    return checkpoints.back().lines;
}
