#pragma once
// Fixed facts about the product that the About dialog and the command line show.

inline constexpr char kProductVersion[] = "2.1";
inline constexpr char kProductAuthor[] = "ScriptCalc Team";
