#include "CliRunner.h"

#include "ScriptRunner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

QString messageFor(const QString& language, const QString& key, const QString& token) {
    return formatErrorMessage(installedTable(language).value(key), token);
}

struct ErrorRow {
    const char* name;
    QStringList arguments;
    QByteArray input;
    QString key;
    QString token;
    QString details; // the second line of standard error
};

void PrintTo(const ErrorRow& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class CliScriptErrorTest : public testing::TestWithParam<ErrorRow> {};

TEST_P(CliScriptErrorTest, ReportsOnStandardErrorWithExitCodeOne) {
    const ErrorRow& row = GetParam();
    const CliRun run = runCli(row.arguments, row.input);
    EXPECT_EQ(1, run.exitCode);
    EXPECT_EQ(QString(), run.out);
    // The message stays one line: line breaks and carriage returns in it become blanks.
    QString message = messageFor(QStringLiteral("en_us"), row.key, row.token);
    message.replace(QLatin1Char('\r'), QLatin1Char(' '));
    EXPECT_EQ(message + QLatin1Char('\n') + row.details + QLatin1Char('\n'), run.err);
}

const ErrorRow kErrorRows[] = {
    {"incomplete_line",
     {"-e", "3*"},
     {},
     "IDS_PARSE_E12",
     "",
     "error: line=1 code=2 pos=3 key=IDS_PARSE_E12 token="},
    {"unknown_name_in_second_line",
     {"-e", "1", "-e", "2+#"},
     {},
     "IDS_PARSE_E01",
     "# ",
     "error: line=2 code=1 pos=2 key=IDS_PARSE_E01 token=# "},
    {"text_ending_in_line_break",
     {"-e", "1\n"},
     {},
     "IDS_PARSE_E02",
     "",
     "error: line=2 code=22 pos=-1 key=IDS_PARSE_E02 token="},
    {"empty_text",
     {"-e", ""},
     {},
     "IDS_PARSE_E02",
     "",
     "error: line=1 code=22 pos=-1 key=IDS_PARSE_E02 token="},
    {"empty_standard_input",
     {},
     {},
     "IDS_PARSE_E02",
     "",
     "error: line=1 code=22 pos=-1 key=IDS_PARSE_E02 token="},
    {"two_line_breaks_at_end",
     {},
     "1\n\n",
     "IDS_PARSE_E02",
     "",
     "error: line=2 code=22 pos=-1 key=IDS_PARSE_E02 token="},
    {"lone_carriage_return_ends_a_line",
     {},
     "1\r+2\n",
     "IDS_PARSE_E03",
     "+",
     "error: line=2 code=0 pos=0 key=IDS_PARSE_E03 token=+"},
    {"too_many_arguments",
     {"-e", "sin(1,2)"},
     {},
     "IDS_PARSE_E09",
     "sin",
     "error: line=1 code=14 pos=7 key=IDS_PARSE_E09 token=sin"},
    {"overflowing_literal",
     {"-e", "1e999"},
     {},
     "IDS_PARSE_E01",
     "1e999",
     "error: line=1 code=1 pos=0 key=IDS_PARSE_E01 token=1e999"},
    {"latin1_token",
     {"-e", "2*\u00e9"},
     {},
     "IDS_PARSE_E01",
     "\u00e9 ",
     "error: line=1 code=1 pos=2 key=IDS_PARSE_E01 token=\u00e9 "},
};

INSTANTIATE_TEST_SUITE_P(Cli, CliScriptErrorTest, testing::ValuesIn(kErrorRows), RowName());

struct LanguageRow {
    const char* name;
    QStringList options;
    QString language; // the folder whose table the message must come from
};

void PrintTo(const LanguageRow& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class CliLanguageTest : public testing::TestWithParam<LanguageRow> {};

TEST_P(CliLanguageTest, TakesTheMessageFromTheChosenFolder) {
    QStringList arguments = GetParam().options;
    arguments << QStringLiteral("-e") << QStringLiteral("3*");
    const CliRun run = runCli(arguments);
    EXPECT_EQ(1, run.exitCode);
    EXPECT_TRUE(run.err.startsWith(
        messageFor(GetParam().language, QStringLiteral("IDS_PARSE_E12"), QString()) +
        QLatin1Char('\n')))
        << run.err.toStdString();
}

const LanguageRow kLanguageRows[] = {
    {"system_locale", {}, "en_us"},
    {"explicit_english", {"--lang", "en_us"}, "en_us"},
    {"explicit_chinese", {"--lang", "zh_cn"}, "zh_cn"},
    {"upper_case_code", {"--lang=EN_US"}, "en_us"},
    {"missing_folder_falls_back", {"--lang", "xx_yy"}, "en_us"},
    {"path_is_no_language", {"--lang", "../lang/en_us"}, "en_us"},
};

INSTANTIATE_TEST_SUITE_P(Cli, CliLanguageTest, testing::ValuesIn(kLanguageRows), RowName());

TEST(CliLanguage, LocaleWithoutFolderFallsBack) {
    QProcessEnvironment environment = cliEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    const CliRun run = runCli({"-e", "3*"}, {}, environment);
    EXPECT_EQ(1, run.exitCode);
    EXPECT_TRUE(run.err.startsWith(
        messageFor(QStringLiteral("en_us"), QStringLiteral("IDS_PARSE_E12"), QString())));
}

struct UsageRow {
    const char* name;
    QStringList arguments;
};

void PrintTo(const UsageRow& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class CliUsageErrorTest : public testing::TestWithParam<UsageRow> {};

TEST_P(CliUsageErrorTest, ExitsWithCodeTwo) {
    const CliRun run = runCli(GetParam().arguments, "1+1");
    EXPECT_EQ(2, run.exitCode);
    EXPECT_EQ(QString(), run.out);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("scriptcalc-cli: "))) << run.err.toStdString();
}

const UsageRow kUsageRows[] = {
    {"unknown_option", {"--frobnicate"}},
    {"unknown_short_option", {"-x"}},
    {"missing_text", {"-e"}},
    {"missing_language", {"--lang"}},
    {"missing_file", {"/nonexistent/folder/script.txt"}},
    {"folder_as_file", {"/"}},
    {"two_files", {"a.txt", "b.txt"}},
    {"file_and_text", {"-e", "1", "-"}},
};

INSTANTIATE_TEST_SUITE_P(Cli, CliUsageErrorTest, testing::ValuesIn(kUsageRows), RowName());

TEST(CliUsage, HelpGoesToStandardOutput) {
    const CliRun run = runCli({"--help"});
    EXPECT_EQ(0, run.exitCode);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("Usage: scriptcalc-cli")))
        << run.out.toStdString();
    EXPECT_EQ(QString(), run.err);
}

TEST(CliUsage, VersionIsTwoPointOne) {
    const CliRun run = runCli({"--version"});
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ(QStringLiteral("scriptcalc-cli 2.1\n"), run.out);
}

} // namespace
