#pragma once

#include "NumberFormatter.h"
#include "Parser.h"

#include <QString>
#include <QStringList>

// The command line of scriptcalc-cli:
//   scriptcalc-cli [--lang CODE] [--digits N|shortest] [--angle rad|deg] [--raw] [--dump]
//                  [--strict] [--plot FILE.svg|FILE.png [--x-range A:B]] [-e TEXT]... [FILE | -]
struct CliOptions {
    QString language;    // --lang CODE; empty: the system locale decides
    ResultDigits digits; // --digits N|shortest; the result box's rule without it
    mu::AngleUnit angle = mu::AngleUnit::Radians; // --angle rad|deg
    bool raw = false;     // --raw: the value as "%.17g", whatever the digits
    bool dump = false;    // --dump: the last line's bytecode after the result
    bool strict = false;  // --strict: reading a name before any assignment is an error
    bool help = false;    // --help
    bool version = false; // --version
    QString plotFile;     // --plot FILE: the graph is drawn into it (SVG or PNG by its suffix)
    double xFrom = -10.0; // --x-range A:B, the graph's x range
    double xTo = 10.0;
    QStringList texts; // -e TEXT, in order
    QString file;      // FILE, or "-" for standard input
    QString error;     // set when the command line is unusable

    // Standard input is read for "-", and when neither FILE nor -e is given.
    bool readsStandardInput() const {
        return file == QLatin1String("-") || (file.isEmpty() && texts.isEmpty());
    }
};

// arguments excludes the program name. The value of -e, --lang, --digits,
// --angle, --plot and --x-range is always the next argument (or follows "=" in
// their "=" forms), so "-e -3" is the script -3.
CliOptions parseArguments(const QStringList& arguments);

QString usageText();
