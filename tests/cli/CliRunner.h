#pragma once

#include <QByteArray>
#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

class QProcess;

// Names each row of a parameterised table after its "name" field.
struct RowName {
    template <typename Row> std::string operator()(const testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

// Lets gtest print Qt strings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

struct CliRun {
    int exitCode = -1;
    QString out; // standard output, decoded from UTF-8
    QString err; // standard error, decoded from UTF-8
    bool finished = false;
};

// The environment every run starts from: the system's, with an English
// locale, so the language folder does not depend on the machine.
QProcessEnvironment cliEnvironment();

// Runs the built scriptcalc-cli with arguments, feeding input to its
// standard input (which is then closed).
CliRun runCli(const QStringList& arguments, const QByteArray& input = QByteArray(),
              const QProcessEnvironment& environment = cliEnvironment());

// Runs the built scriptcalc-cli with arguments after prepare has set up the
// process (its channels, limits), with the environment of cliEnvironment().
CliRun runPreparedCli(const QStringList& arguments, const std::function<void(QProcess&)>& prepare);

// The string table the executable finds for a language folder beside it.
QMap<QString, QString> installedTable(const QString& language);

// Builds the locale de_DE.UTF-8, whose decimal separator is a comma, into
// folder (for LOCPATH) and checks that it loads from there.
bool buildGermanLocale(const QString& folder);
