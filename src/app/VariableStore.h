#pragma once

#include <cstddef>
#include <deque>

// The storage of one run's variables. The engine keeps the address of each value, so a value
// never moves while the store lives: values are only added, to a deque. The names are the
// engine's business (its table of variables finds a name's address), so the store holds none:
// each run has a store of its own, which starts every variable at 0 and gives the memory back
// when the run ends, however many names the run created.
class VariableStore {
public:
    // A new value, 0.
    double* create() { return &values.emplace_back(0.0); }
    std::size_t size() const { return values.size(); }

private:
    std::deque<double> values;
};

// The engine's variable factory: a_pUserData is the run's VariableStore, which gives a new value
// of 0 for a_szName. The engine calls it once per name and parser, the first time the name is
// read, and keeps the address in its table of variables.
double* createVariable(const char* a_szName, void* a_pUserData);
