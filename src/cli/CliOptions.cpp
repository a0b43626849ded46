#include "CliOptions.h"

#include <cmath>

namespace {

// Takes the value of the option at index i, or reports that it is missing.
bool takeValue(const QStringList& arguments, qsizetype& i, QString* value, CliOptions* options) {
    if (i + 1 >= arguments.size()) {
        options->error = QStringLiteral("option '%1' needs a value").arg(arguments.at(i));
        return false;
    }
    *value = arguments.at(++i);
    return true;
}

bool setFile(const QString& file, CliOptions* options) {
    if (!options->file.isEmpty()) {
        options->error = QStringLiteral("only one FILE may be given");
        return false;
    }
    options->file = file;
    return true;
}

bool setDigits(const QString& name, CliOptions* options) {
    const std::optional<ResultDigits> digits = ResultDigits::fromName(name);
    if (!digits) {
        options->error =
            QStringLiteral("--digits takes a number from 1 to %1 or 'shortest', not '%2'")
                .arg(ResultDigits::maxCount)
                .arg(name);
        return false;
    }
    options->digits = *digits;
    return true;
}

bool setAngle(const QString& name, CliOptions* options) {
    if (name == QLatin1String("rad"))
        options->angle = mu::AngleUnit::Radians;
    else if (name == QLatin1String("deg"))
        options->angle = mu::AngleUnit::Degrees;
    else {
        options->error = QStringLiteral("--angle takes 'rad' or 'deg', not '%1'").arg(name);
        return false;
    }
    return true;
}

// A:B with A < B, both finite numbers in the C locale's notation.
bool setXRange(const QString& text, CliOptions* options) {
    const qsizetype colon = text.indexOf(QLatin1Char(':'), 1);
    bool fromOk = false, toOk = false;
    const double from = colon > 0 ? text.left(colon).toDouble(&fromOk) : 0.0;
    const double to = colon > 0 ? text.mid(colon + 1).toDouble(&toOk) : 0.0;
    if (!fromOk || !toOk || !std::isfinite(from) || !std::isfinite(to) || !(from < to)) {
        options->error =
            QStringLiteral("--x-range takes A:B with numbers A < B, not '%1'").arg(text);
        return false;
    }
    options->xFrom = from;
    options->xTo = to;
    return true;
}

} // namespace

CliOptions parseArguments(const QStringList& arguments) {
    CliOptions options;
    bool optionsEnded = false;
    bool xRangeGiven = false, plotGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        QString value;
        bool ok = true;
        if (optionsEnded || arg == QLatin1String("-") || !arg.startsWith(QLatin1Char('-')))
            ok = setFile(arg, &options);
        else if (arg == QLatin1String("--"))
            optionsEnded = true;
        else if (arg == QLatin1String("-e")) {
            ok = takeValue(arguments, i, &value, &options);
            if (ok)
                options.texts.append(value);
        } else if (arg == QLatin1String("--lang"))
            ok = takeValue(arguments, i, &options.language, &options);
        else if (arg.startsWith(QLatin1String("--lang=")))
            options.language = arg.mid(7);
        else if (arg == QLatin1String("--digits"))
            ok = takeValue(arguments, i, &value, &options) && setDigits(value, &options);
        else if (arg.startsWith(QLatin1String("--digits=")))
            ok = setDigits(arg.mid(9), &options);
        else if (arg == QLatin1String("--angle"))
            ok = takeValue(arguments, i, &value, &options) && setAngle(value, &options);
        else if (arg.startsWith(QLatin1String("--angle=")))
            ok = setAngle(arg.mid(8), &options);
        else if (arg == QLatin1String("--plot")) {
            ok = takeValue(arguments, i, &options.plotFile, &options);
            plotGiven = true;
        } else if (arg.startsWith(QLatin1String("--plot="))) {
            options.plotFile = arg.mid(7);
            plotGiven = true;
        } else if (arg == QLatin1String("--x-range")) {
            ok = takeValue(arguments, i, &value, &options) && setXRange(value, &options);
            xRangeGiven = true;
        } else if (arg.startsWith(QLatin1String("--x-range="))) {
            ok = setXRange(arg.mid(10), &options);
            xRangeGiven = true;
        } else if (arg == QLatin1String("--raw"))
            options.raw = true;
        else if (arg == QLatin1String("--dump"))
            options.dump = true;
        else if (arg == QLatin1String("--strict"))
            options.strict = true;
        else if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            options.help = true;
        else if (arg == QLatin1String("--version"))
            options.version = true;
        else {
            options.error = QStringLiteral("unknown option '%1'").arg(arg);
            ok = false;
        }
        if (!ok)
            return options;
    }
    if (!options.file.isEmpty() && !options.texts.isEmpty())
        options.error = QStringLiteral("give the script either with -e or as FILE, not both");
    else if (xRangeGiven && options.plotFile.isEmpty())
        options.error = QStringLiteral("--x-range needs --plot");
    else if (plotGiven && options.plotFile.isEmpty())
        options.error = QStringLiteral("--plot needs a file name");
    return options;
}

QString usageText() {
    return QStringLiteral(
        "Usage: scriptcalc-cli [--lang CODE] [--digits N|shortest] [--angle rad|deg] [--raw]\n"
        "                      [--dump] [--strict] [--plot FILE.svg|FILE.png [--x-range A:B]]\n"
        "                      [-e TEXT]... [FILE | -]\n"
        "Evaluates a ScriptCalc script line by line and prints the last line's value.\n"
        "\n"
        "  -e TEXT      script text; several are joined as lines, in order\n"
        "  FILE         read the script from FILE; '-' or no FILE and no -e: standard input\n"
        "  --lang CODE  messages from lang/CODE (missing: the default language)\n"
        "  --digits N   print the result with N significant digits (1 to 17)\n"
        "  --digits shortest\n"
        "               the fewest digits that read back as the same value\n"
        "  --angle rad|deg\n"
        "               the unit of the angles of sin ... cot and asin ... atan2\n"
        "               (default: rad)\n"
        "  --raw        print the value with 17 significant digits (nan, inf, -inf)\n"
        "  --dump       also print the bytecode of the last line\n"
        "  --strict     a name read before any line assigns it is an error; without\n"
        "               --strict it counts as 0 and is listed on standard error\n"
        "  --plot FILE.svg|FILE.png\n"
        "               also draw the graph of the script's functions of one\n"
        "               parameter into FILE (SVG or PNG by its suffix)\n"
        "  --x-range A:B\n"
        "               the graph's x range (default: -10:10)\n"
        "  --help       show this text\n"
        "  --version    show the version\n"
        "\n"
        "Exit status: 0 success, 1 error in the script, 2 bad command line or unreadable file.\n");
}
