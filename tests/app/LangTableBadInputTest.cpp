// lang.xml that is missing, broken, hostile or huge: the loader keeps what it
// completed before the fault and always returns.
#include "LangTable.h"
#include "TestSupport.h"

#include <QFile>

#include <random>
#include <string>
#include <utility>

#include <sys/stat.h>

namespace {

const QByteArray goodStart = "<lang><item><code>IDS_A</code><desc>Alpha</desc></item>";
const LangMap onlyA = {{"IDS_A", "Alpha"}};

struct BrokenRow {
    const char* name;
    QByteArray xml;
    LangMap expected;
};

std::ostream& operator<<(std::ostream& os, const BrokenRow& row) {
    return os << row.name;
}

class LangBroken : public testing::TestWithParam<BrokenRow> {};

TEST_P(LangBroken, KeepsPairsCompletedBeforeTheFault) {
    EXPECT_EQ(loadXml(GetParam().xml), GetParam().expected);
}

QByteArray entityBomb() {
    QByteArray dtd = "<!DOCTYPE lang [<!ENTITY e0 \"laughlaughlaughlaugh\">";
    for (int i = 1; i < 10; ++i) {
        dtd += "<!ENTITY e" + QByteArray::number(i) + " \"";
        for (int j = 0; j < 10; ++j)
            dtd += "&e" + QByteArray::number(i - 1) + ";";
        dtd += "\">";
    }
    return dtd + "]><lang><code>IDS_A</code><desc>Alpha</desc><code>IDS_B</code><desc>&e9;</desc>"
                 "</lang>";
}

QByteArray randomBytes(int size, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& b : bytes)
        b = static_cast<char>(byte(gen));
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    LangTable, LangBroken,
    testing::Values(
        BrokenRow{"Empty", "", {}}, BrokenRow{"OnlyDeclaration", "<?xml version=\"1.0\"?>", {}},
        BrokenRow{"TruncatedInsideDesc", goodStart + "<item><code>IDS_B</code><desc>Be", onlyA},
        BrokenRow{"TruncatedInsideEndTag", goodStart + "<code>IDS_B</code><desc>Beta</de", onlyA},
        BrokenRow{"TruncatedAfterDesc",
                  goodStart + "<code>IDS_B</code><desc>Beta</desc>",
                  {{"IDS_A", "Alpha"}, {"IDS_B", "Beta"}}},
        BrokenRow{"MismatchedTag",
                  goodStart + "<code>IDS_B</code><desc>Beta</code><code>IDS_C</code>"
                              "<desc>Gamma</desc></lang>",
                  onlyA},
        BrokenRow{"UndeclaredEntity", goodStart + "<code>IDS_B</code><desc>&nope;</desc></lang>",
                  onlyA},
        BrokenRow{"NulByte",
                  goodStart + "<code>IDS_B</code><desc>B" + QByteArray(1, '\0') + "</desc></lang>",
                  onlyA},
        BrokenRow{"SecondRootElement",
                  goodStart + "</lang><lang><code>IDS_B</code><desc>Beta</desc></lang>", onlyA},
        BrokenRow{"InvalidUtf8CostsOnlyItsCharacters",
                  goodStart + "<code>IDS_B</code><desc>B\xFF\xC0</desc></lang>",
                  {{"IDS_A", "Alpha"}, {"IDS_B", QString::fromUtf8("B\uFFFD\uFFFD")}}},
        BrokenRow{"EntityExpansionBomb", entityBomb(), onlyA},
        BrokenRow{"RandomBinary", randomBytes(1 << 16, 7), {}},
        BrokenRow{"GarbageAfterGoodStart", goodStart + randomBytes(4096, 11), onlyA}),
    RowName());

TEST(LangTableBadPath, MissingFileGivesEmptyTable) {
    TempFolder folder;
    LangMap table;
    loadLanguageTable(folder.root() + "lang/zh_cn/config/lang.xml", &table);
    EXPECT_TRUE(table.isEmpty());
}

TEST(LangTableBadPath, EmptyPathGivesEmptyTable) {
    LangMap table;
    loadLanguageTable(QString(), &table);
    EXPECT_TRUE(table.isEmpty());
}

TEST(LangTableBadPath, DirectoryGivesEmptyTable) {
    TempFolder folder;
    LangMap table;
    loadLanguageTable(folder.mkdir("lang.xml"), &table);
    EXPECT_TRUE(table.isEmpty());
}

TEST(LangTableBadPath, NoTableIsHarmless) {
    TempFolder folder;
    loadLanguageTable(folder.write("lang.xml", goodStart + "</lang>"), nullptr);
}

TEST(LangTableBadPath, FifoWithoutWriterDoesNotBlock) {
    TempFolder folder;
    const QString path = folder.root() + "lang.xml";
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    LangMap table;
    loadLanguageTable(path, &table);
    EXPECT_TRUE(table.isEmpty());
}

TEST(LangTableBadPath, UnreadableFileGivesEmptyTable) {
    TempFolder folder;
    const QString path = folder.write("lang.xml", goodStart + "</lang>");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::Permissions()));
    LangMap table;
    loadLanguageTable(path, &table);
    // root may read the file anyway; either way the loader returns whole pairs only.
    EXPECT_TRUE(table.isEmpty() || table == onlyA);
}

TEST(LangTableHuge, DeepNestingKeepsEarlierPairs) {
    QByteArray xml = goodStart;
    xml.reserve(xml.size() + 3 * 1000000);
    for (int i = 0; i < 1000000; ++i)
        xml += "<a>";
    EXPECT_EQ(loadXml(xml), onlyA);
}

TEST(LangTableHuge, VeryLongKeyAndText) {
    const QString key(1 << 20, QLatin1Char('K'));
    const QString text(4 << 20, QLatin1Char('t'));
    const LangMap table = loadXml("<lang><code>" + key.toLatin1() + "</code><desc>" +
                                  text.toLatin1() + "</desc></lang>");
    ASSERT_EQ(table.size(), 1);
    EXPECT_EQ(table.firstKey(), key);
    EXPECT_EQ(table.first(), text.left(1000));
}

// A comment, CDATA section or processing instruction of megabytes is read in
// one piece: fed in small pieces, the reader rescanned it with each of them.
TEST(LangTableHuge, LongCommentCdataAndInstruction) {
    const QByteArray filler(4 << 20, 'x');
    for (const auto& [open, close] : {std::pair<QByteArray, QByteArray>{"<!--", "-->"},
                                      {"<![CDATA[", "]]>"},
                                      {"<?pi ", "?>"}}) {
        const LangMap table = loadXml(goodStart + "<x>" + open + filler + close +
                                      "</x><code>IDS_B</code><desc>Beta</desc></lang>");
        EXPECT_EQ(table, (LangMap{{"IDS_A", "Alpha"}, {"IDS_B", "Beta"}})) << open.toStdString();
    }
}

} // namespace
