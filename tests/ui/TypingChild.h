#pragma once

#include <QString>

// The window of the kill tests, in a process of its own: ui_tests started
// with this variable set to a folder keeps its settings and data there,
// types a script into a new window, says "typed" on standard output and runs
// until a signal ends it.
inline const char* const typingChildVariable = "SCRIPTCALC_TYPING_CHILD";
inline const QString typingChildScript = QStringLiteral("a=6\na*7");

class QProcess;

int runTypingChild(const QString& folder);

// Starts ui_tests as such a child and waits until it has typed; false when
// it does not get that far.
bool startTypingChild(QProcess& child, const QString& folder);
