#pragma once
// Fixed facts about the product that the About dialog and the web button show.

inline constexpr char kProductVersion[] = "2.1";
inline constexpr char kProductAuthor[] = "ScriptCalc Team";
inline constexpr char kProductWebAddress[] = "https://scriptcalc.example.org/";
inline constexpr char kProductMail1[] = "team@scriptcalc.example.org";
inline constexpr char kProductMail2[] = "support@scriptcalc.example.org";
