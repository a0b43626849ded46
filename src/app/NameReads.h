#pragma once

#include <string>
#include <string_view>

// Whether the line reads the variable name somewhere, rather than only
// assigning it: an occurrence of the whole name (not part of a longer name or
// of a number such as 2e3) that is not followed, after blanks, by a single
// "=". nameChars are the characters the engine allows in names.
bool readsName(const std::string& line, const std::string& name, const std::string& nameChars);

// Where readsName finds the first such occurrence at or after from, or std::string::npos.
std::size_t firstRead(const std::string& line, const std::string& name,
                      const std::string& nameChars, std::size_t from = 0);

// Whether "(" follows, after blanks, a name that ends at end: the name is called there.
bool isCalledAt(std::string_view line, std::size_t end);
