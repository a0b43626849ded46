// Data files that could block, stall or flood start-up: only regular files
// within the size limit are read, and a string table that gives nothing is
// replaced by the next one, then by built-in captions, saying so once.
#include "DataFile.h"
#include "LangTable.h"
#include "StandardErrorCapture.h"
#include "TestSupport.h"
#include "XmlLangHandle.h"

#include <QFile>

#include <sys/stat.h>

namespace {

const QByteArray tableA = "<lang><code>IDS_A</code><desc>Alpha</desc></lang>";

TEST(DataFile, ReadsARegularFileUpToTheLimit) {
    TempFolder folder;
    QByteArray bytes;
    StandardErrorCapture err;
    EXPECT_TRUE(readDataFile(folder.write("f.xml", "0123456789"), &bytes, 10));
    EXPECT_EQ(bytes, "0123456789");
    EXPECT_EQ(err.text(), QString());
}

TEST(DataFile, ALargerFileIsMissingAndNamedOnStandardError) {
    TempFolder folder;
    const QString path = folder.write("f.xml", "0123456789A");
    QByteArray bytes = "old";
    StandardErrorCapture err;
    EXPECT_FALSE(readDataFile(path, &bytes, 10));
    EXPECT_TRUE(bytes.isEmpty());
    const QString line = err.text();
    EXPECT_TRUE(line.contains(path)) << line.toStdString();
    EXPECT_EQ(line.count(QLatin1Char('\n')), 1) << line.toStdString();
    EXPECT_TRUE(line.endsWith(QLatin1Char('\n')));
}

TEST(DataFile, AFifoIsNotOpened) {
    TempFolder folder;
    const QString path = folder.root() + "function.xml";
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QByteArray bytes;
    EXPECT_FALSE(readDataFile(path, &bytes));
}

// The limit of 8 MiB holds for the string table: one byte more and the file
// counts as missing, whatever it holds.
TEST(DataFile, AStringTableOverTheLimitIsMissing) {
    TempFolder folder;
    const QByteArray head = "<lang><code>IDS_A</code><desc>Alpha</desc><!--";
    const QByteArray tail = "--></lang>";
    QByteArray xml = head + QByteArray(maxDataFileBytes - head.size() - tail.size(), 'x') + tail;
    LangMap table;
    loadLanguageTable(folder.write("at_limit.xml", xml), &table);
    EXPECT_EQ(table, (LangMap{{"IDS_A", "Alpha"}}));

    xml.insert(head.size(), 'x');
    StandardErrorCapture err;
    table.clear();
    loadLanguageTable(folder.write("over_limit.xml", xml), &table);
    EXPECT_TRUE(table.isEmpty());
    EXPECT_TRUE(err.text().contains("over_limit.xml")) << err.text().toStdString();
}

TEST(DataFile, TextsAreCutToTheCaptionLength) {
    TempFolder folder;
    const QString surrogatePair = QString::fromUtf8("\xF0\x9D\x9C\x8B");
    const QString cutInPair = QString(XmlLangHandle::maxTextLength - 1, 'b') + surrogatePair;
    LangMap table;
    loadLanguageTable(folder.write("lang.xml", "<lang><code>A</code><desc>" +
                                                   QByteArray(5000, 'a') +
                                                   "</desc><code>B</code><desc>" +
                                                   cutInPair.toUtf8() + "</desc></lang>"),
                      &table);
    EXPECT_EQ(table.value("A"), QString(XmlLangHandle::maxTextLength, 'a'));
    EXPECT_EQ(table.value("B"), QString(XmlLangHandle::maxTextLength - 1, 'b'));
}

struct FallbackRow {
    const char* name;
    QList<QByteArray> files; // null: the file does not exist
    int used;                // index of the file used; -1: the built-in texts
};

std::ostream& operator<<(std::ostream& os, const FallbackRow& row) {
    return os << row.name;
}

class LangFallback : public testing::TestWithParam<FallbackRow> {};

TEST_P(LangFallback, UsesTheFirstTableWithTextsAndSaysSoOnce) {
    const FallbackRow& row = GetParam();
    TempFolder folder;
    QStringList paths;
    for (qsizetype i = 0; i < row.files.size(); ++i) {
        const QString name = QStringLiteral("lang%1.xml").arg(i);
        paths << (row.files[i].isNull() ? folder.root() + name : folder.write(name, row.files[i]));
    }
    StandardErrorCapture err;
    const LangMap table = loadUsableLanguageTable(paths);
    const QString said = err.text();
    if (row.used < 0) {
        EXPECT_EQ(table, builtinTexts());
        EXPECT_EQ(table.value("IDS_TAB_HELP"), "Help");
    } else {
        EXPECT_EQ(table.value("IDS_A"), QString::number(row.used));
    }
    if (row.used == 0) {
        EXPECT_EQ(said, QString());
    } else {
        EXPECT_EQ(said.count(QLatin1Char('\n')), 1) << said.toStdString();
        if (!paths.isEmpty()) {
            EXPECT_TRUE(said.contains(paths.first())) << said.toStdString();
        }
    }
}

QByteArray tableWith(const char* value) {
    return "<lang><code>IDS_A</code><desc>" + QByteArray(value) + "</desc></lang>";
}

INSTANTIATE_TEST_SUITE_P(
    LangTable, LangFallback,
    testing::Values(FallbackRow{"FirstUsable", {tableWith("0"), tableWith("1")}, 0},
                    FallbackRow{"FirstMissing", {QByteArray(), tableWith("1")}, 1},
                    FallbackRow{"FirstEmpty", {QByteArray(""), tableWith("1")}, 1},
                    FallbackRow{"FirstWithoutPairs", {"<lang><x>y</x></lang>", tableWith("1")}, 1},
                    FallbackRow{"FirstBroken", {"<lang><code>IDS_A", tableWith("1")}, 1},
                    FallbackRow{"NoneUsable", {QByteArray(), "<lang/>"}, -1},
                    FallbackRow{"NoPaths", {}, -1}),
    RowName());

} // namespace
