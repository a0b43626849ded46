#pragma once
// Fixed facts about the product that the About dialog and the command line show. The version
// (kProductVersion) is written by CMake from project(... VERSION).

#include "ProductVersion.h"

inline constexpr char kProductAuthor[] = "ScriptCalc Team";
