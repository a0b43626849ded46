#include "NameReads.h"

namespace {

bool isNameChar(char c, const std::string& nameChars) {
    return nameChars.find(c) != std::string::npos;
}

// After the name at end: blanks, then "=" that does not start "==".
bool isAssignedAt(const std::string& line, std::size_t end) {
    while (end < line.size() && (line.at(end) == ' ' || line.at(end) == '\t'))
        ++end;
    return end < line.size() && line.at(end) == '=' &&
           (end + 1 == line.size() || line.at(end + 1) != '=');
}

} // namespace

bool readsName(const std::string& line, const std::string& name, const std::string& nameChars) {
    return firstRead(line, name, nameChars) != std::string::npos;
}

std::size_t firstRead(const std::string& line, const std::string& name,
                      const std::string& nameChars, std::size_t from) {
    for (std::size_t at = line.find(name, from); at != std::string::npos;
         at = line.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        const bool whole = (at == 0 || !isNameChar(line.at(at - 1), nameChars)) &&
                           (end == line.size() || !isNameChar(line.at(end), nameChars));
        if (whole && !isAssignedAt(line, end))
            return at;
    }
    return std::string::npos;
}

bool isCalledAt(std::string_view line, std::size_t end) {
    while (end < line.size() && (line[end] == ' ' || line[end] == '\t'))
        ++end;
    return end < line.size() && line[end] == '(';
}
