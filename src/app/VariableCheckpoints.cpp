#include "VariableCheckpoints.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace {

// Checkpoints lie at least this many lines apart...
constexpr int minSpacing = 64;
// ...and at least one line per this many values, so comparing all values at a checkpoint costs
// about as much as evaluating a few lines, while going back re-evaluates a few thousand lines at
// most even with a hundred thousand names.
constexpr std::size_t valuesPerLine = 32;
// The most values that may differ from the previous pass's at a checkpoint where it is met.
constexpr std::size_t maxDiffering = 256;

// Bit for bit: -0 differs from 0 in what it shows, and a NaN equals itself.
bool same(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

} // namespace

VariableCheckpoints::VariableCheckpoints() {
    checkpoints.push_back({0, 0, {}, {}});
}

double* VariableCheckpoints::find(const std::string& name) {
    const auto found = index.find(name);
    return found == index.end() || found->second >= count ? nullptr : &values[found->second];
}

const double* VariableCheckpoints::find(const std::string& name) const {
    const auto found = index.find(name);
    return found == index.end() ? nullptr : &values[found->second];
}

double* VariableCheckpoints::create(const std::string& name) {
    const auto slot = std::uint32_t(count);
    if (slot < names.size()) {
        if (names[slot] == name) {
            ++count;
            values[slot] = 0.0;
            return &values[slot];
        }
        forgetOldNames();
    }
    index.insert_or_assign(name, slot);
    names.push_back(name);
    ++count;
    return &values.emplace_back(0.0);
}

// The names met in another order than in the previous pass: its checkpoints no longer fit.
void VariableCheckpoints::forgetOldNames() {
    dropAhead();
    for (std::size_t slot = count; slot < names.size(); ++slot) {
        const auto found = index.find(names[slot]);
        if (found != index.end() && found->second == slot)
            index.erase(found);
    }
    names.resize(count);
    values.resize(count);
}

void VariableCheckpoints::lineDone(int lines) {
    const int spacing = std::max(minSpacing, int(count / valuesPerLine));
    if (lines - checkpoints.back().lines >= spacing)
        record(lines);
}

void VariableCheckpoints::passEnded(int lines, bool failed) {
    if (lines > checkpoints.back().lines)
        record(lines);
    dropAhead();
    passComplete = true;
    aheadFailed = failed;
}

void VariableCheckpoints::record(int lines) {
    Checkpoint checkpoint{lines, count, {}, {}};
    for (std::size_t i = 0; i < recorded.size(); ++i) {
        if (!same(values[i], recorded[i])) {
            checkpoint.earlier.emplace_back(std::uint32_t(i), recorded[i]);
            recorded[i] = values[i];
        }
    }
    recorded.insert(recorded.end(), values.begin() + std::ptrdiff_t(recorded.size()),
                    values.begin() + std::ptrdiff_t(count));
    std::sort(mentions.begin(), mentions.end(), std::less<const double*>());
    mentions.erase(std::unique(mentions.begin(), mentions.end()), mentions.end());
    checkpoint.mentioned = std::move(mentions);
    mentions.clear();
    checkpoints.push_back(std::move(checkpoint));
}

int VariableCheckpoints::goBackTo(int lines, bool keepAhead) {
    // A fresh look ahead needs a whole pass behind it; one kept from before holds only while
    // the lines before its start stay.
    const bool fresh = keepAhead && passComplete;
    if (!keepAhead || (!fresh && (ahead.empty() || lines < aheadStart)))
        dropAhead();
    mentions.clear();
    std::vector<Ahead> passed;
    // The recorded values go back checkpoint by checkpoint; the values then follow them,
    // dropping whatever the lines after the last checkpoint changed.
    while (checkpoints.size() > 1 && checkpoints.back().lines > lines) {
        Checkpoint& last = checkpoints.back();
        if (fresh) {
            Ahead step{last.lines, last.count, {}, std::move(last.mentioned)};
            for (const auto& [i, earlier] : last.earlier)
                step.later.emplace_back(i, recorded[i]);
            for (std::size_t i = checkpoints[checkpoints.size() - 2].count; i < last.count; ++i)
                step.later.emplace_back(std::uint32_t(i), recorded[i]);
            passed.push_back(std::move(step));
        }
        for (auto it = last.earlier.rbegin(); it != last.earlier.rend(); ++it)
            recorded[it->first] = it->second;
        checkpoints.pop_back();
    }
    count = checkpoints.back().count;
    recorded.resize(count);
    std::copy(recorded.begin(), recorded.end(), values.begin());
    if (fresh) {
        ahead.assign(std::make_move_iterator(passed.rbegin()),
                     std::make_move_iterator(passed.rend()));
        aheadValues = recorded;
        aheadStart = checkpoints.back().lines;
        frontApplied = false;
    }
    passComplete = false;
    return checkpoints.back().lines;
}

int VariableCheckpoints::aheadLines() const {
    return ahead.empty() ? -1 : ahead.front().lines;
}

void VariableCheckpoints::applyFront() {
    if (frontApplied)
        return;
    const Ahead& front = ahead.front();
    aheadValues.resize(std::max(aheadValues.size(), front.count));
    for (const auto& [i, value] : front.later)
        aheadValues[i] = value;
    frontApplied = true;
}

void VariableCheckpoints::passAhead() {
    applyFront();
    ahead.pop_front();
    frontApplied = false;
}

bool VariableCheckpoints::mentionedAhead(const double* value) const {
    // The lines after the next checkpoint are those of the checkpoints after it.
    // A null mention, first in order, stands for a line that may mention any value.
    for (std::size_t i = 1; i < ahead.size(); ++i) {
        const std::vector<const double*>& mentioned = ahead[i].mentioned;
        if (!mentioned.empty() &&
            (mentioned.front() == nullptr || std::binary_search(mentioned.begin(), mentioned.end(),
                                                                value, std::less<const double*>())))
            return true;
    }
    return false;
}

bool VariableCheckpoints::sameAsAhead() {
    if (ahead.empty() || ahead.front().count != count)
        return false;
    applyFront();
    std::size_t differing = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (same(values[i], aheadValues[i]))
            continue;
        // After a failing line nothing tells what it would have read: all values must agree.
        // Many differing values are read somewhere below; looking them all up would cost more
        // than the lines up to the next checkpoint.
        if (aheadFailed || ++differing > maxDiffering || mentionedAhead(&values[i]))
            return false;
    }
    return true;
}

int VariableCheckpoints::takeAhead(int lines, int shift) {
    if (checkpoints.back().lines != lines)
        record(lines);
    ahead.pop_front();
    // Values that differ are mentioned by no later line: the previous pass never changed them
    // after this point either, so its later changes apply as they stand.
    for (Ahead& step : ahead) {
        Checkpoint checkpoint{step.lines + shift, step.count, {}, std::move(step.mentioned)};
        for (const auto& [i, value] : step.later) {
            if (i < recorded.size()) {
                if (!same(recorded[i], value)) {
                    checkpoint.earlier.emplace_back(i, recorded[i]);
                    recorded[i] = value;
                }
            } else {
                recorded.push_back(value);
            }
            values[i] = value;
        }
        count = step.count;
        checkpoints.push_back(std::move(checkpoint));
    }
    ahead.clear();
    frontApplied = false;
    passComplete = true;
    return checkpoints.back().lines;
}

void VariableCheckpoints::dropAhead() {
    ahead.clear();
    aheadValues.clear();
    frontApplied = false;
}
