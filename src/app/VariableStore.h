#pragma once

#include "ParserNameTable.h"

#include <QString>

#include <string_view>

// The storage of script variables for the whole process, by name (Latin-1 bytes, as the engine
// reads them). The engine keeps the address of each value, so a value never moves while the
// store lives: entries are only added, and the table is hashed, so that a script creating a
// variable per line spends no time on ordered look-ups.
class VariableStore {
public:
    bool contains(const QString& name) const { return values.count(key(name)) != 0; }
    // 0 for a name that has no entry.
    double value(const QString& name) const {
        const auto it = values.find(key(name));
        return it == values.end() ? 0.0 : it->second;
    }
    // The entry for name, created with 0 if needed.
    double& operator[](const QString& name) { return values.emplace(key(name), 0.0); }
    double& operator[](std::string_view latin1Name) { return values.emplace(latin1Name, 0.0); }
    void clear() { values.clear(); }

private:
    static std::string key(const QString& name) { return name.toLatin1().toStdString(); }

    mu::NameTable<double> values;
};

VariableStore& variableStore();

// The engine's variable factory: sets the entry for a_szName (Latin-1) to 0.0,
// creating it if needed, and returns the address of its value. a_pUserData is
// ignored.
double* createVariable(const char* a_szName, void* a_pUserData);
