#pragma once

#include <QStringList>

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The names a run reads before any line assigned them, which count as 0: the window lists them
// under the editor, the command line on standard error (or, strict, refuses them).
//
// The engine asks for a name's storage once per run, on the first line that compiles it: if that
// line reads the name, in its own text or in the body of a script function it calls, nothing
// assigned it before. A definition line reads nothing: the names in its body, parameters excepted,
// are read by every line that calls it.
//
//   nameMet(name) ... nameMet(name) --> lineDone(line, text) --> reads(): name, line, position
//   lineDefined(line, name, parameters, body) --> what calls of name read
class UndefinedNames {
public:
    struct Read {
        std::string name;
        int line;             // 0-based
        std::size_t position; // in the line's engine text: the name, or the call that reads it
    };

    // The engine met name, new to the run, on the line in progress.
    void nameMet(const char* name);
    // The line with 0-based index line, whose engine text is text, is done (evaluated or failed):
    // the names met on it that it reads join reads(). Returns how many joined.
    std::size_t lineDone(int line, std::string_view text);
    // The line defines the script function name (replacing an earlier one of that name), with
    // body its engine text after the "=".
    void lineDefined(int line, std::string_view name, const std::vector<std::string>& parameters,
                     std::string_view body);
    // Forgets what the lines from index line on did.
    void dropFrom(int line);

    // In the order first met.
    const std::vector<Read>& reads() const { return found; }
    QStringList names() const;

private:
    struct Definition {
        int line;
        std::string name;
        // The variables a call reads, its own calls' included.
        std::vector<std::string> reads;
    };

    // The definition in force for name, or null.
    const Definition* defined(std::string_view name) const;
    // The same when text calls name at position.
    const Definition* calledAt(std::string_view text, std::string_view name,
                               std::size_t position) const;
    std::size_t firstRead(const std::string& text, const std::string& name) const;

    std::vector<std::string> met;
    // In the order of their lines: the last one of a name is in force.
    std::vector<Definition> definitions;
    // For each defined name, the indices of its definitions in order.
    std::unordered_map<std::string, std::vector<std::size_t>> latest;
    std::vector<Read> found;
};
