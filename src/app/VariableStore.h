#pragma once

#include <QMap>
#include <QString>

// The storage of script variables for the whole process. The engine keeps the
// address of each value, so entries are never removed and the map is never
// copied: QMap's nodes stay put, but a copy would make the next insertion
// detach and move every value of this map.
QMap<QString, double>& variableStore();

// The engine's variable factory: sets the entry for a_szName (Latin-1) to 0.0,
// creating it if needed, and returns the address of its value. a_pUserData is
// ignored.
double* createVariable(const char* a_szName, void* a_pUserData);
