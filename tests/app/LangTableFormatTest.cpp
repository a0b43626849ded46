// How lang.xml is read: which texts become keys and values.
#include "LangTable.h"
#include "TestSupport.h"

#include <string>

namespace {

struct FormatRow {
    const char* name;
    QByteArray xml;
    LangMap expected;
};

std::ostream& operator<<(std::ostream& os, const FormatRow& row) {
    return os << row.name;
}

class LangFormat : public testing::TestWithParam<FormatRow> {};

TEST_P(LangFormat, Loads) {
    EXPECT_EQ(loadXml(GetParam().xml), GetParam().expected);
}

const LangMap twoPairs = {{"IDS_A", "Alpha"}, {"IDS_B", "Beta"}};

INSTANTIATE_TEST_SUITE_P(
    LangTable, LangFormat,
    testing::Values(
        FormatRow{"Wrapped",
                  "<lang>\n <item><code>IDS_A</code><desc>Alpha</desc></item>\n"
                  " <item><code>IDS_B</code><desc>Beta</desc></item>\n</lang>",
                  twoPairs},
        FormatRow{"Unwrapped",
                  "<lang>\n <code>IDS_A</code>\n <desc>Alpha</desc>\n"
                  " <code>IDS_B</code><desc>Beta</desc>\n</lang>",
                  twoPairs},
        FormatRow{"AnyElementNames",
                  "<?xml version=\"1.0\"?><strings><s><code>IDS_A</code><x/><desc>Alpha</desc>"
                  "</s><code>IDS_B</code><desc>Beta</desc></strings>",
                  twoPairs},
        FormatRow{"AttributesIgnored",
                  "<lang v=\"1\"><code id=\"x\">IDS_A</code><desc lang=\"en\">Alpha</desc>"
                  "<code>IDS_B</code><desc>Beta</desc></lang>",
                  twoPairs},
        FormatRow{"BlanksAroundKeyAreKept",
                  "<lang><code> IDS_A\n</code><desc>\tAlpha </desc></lang>",
                  {{" IDS_A\n", "\tAlpha "}}},
        FormatRow{"LaterDuplicateWins",
                  "<lang><code>IDS_A</code><desc>old</desc><code>IDS_A</code><desc>new</desc>"
                  "</lang>",
                  {{"IDS_A", "new"}}},
        FormatRow{"SecondDescForOneCodeWins",
                  "<lang><code>IDS_A</code><desc>one</desc><desc>two</desc></lang>",
                  {{"IDS_A", "two"}}},
        FormatRow{"DescBeforeAnyCodeGoesToEmptyKey",
                  "<lang><desc>orphan</desc><code>IDS_A</code><desc>Alpha</desc></lang>",
                  {{"", "orphan"}, {"IDS_A", "Alpha"}}},
        FormatRow{"CodeWithoutDescStoresNothing", "<lang><code>IDS_A</code></lang>", {}},
        FormatRow{"EntitiesResolved",
                  "<lang><code>IDS_A</code><desc>a&amp;b &lt;c&gt; &quot;d&quot; &#x4E2D;&#65;"
                  "</desc></lang>",
                  {{"IDS_A", QString::fromUtf8("a&b <c> \"d\" 中A")}}},
        FormatRow{"DeclaredEntityResolved",
                  "<!DOCTYPE lang [<!ENTITY n \"ScriptCalc\">]>"
                  "<lang><code>IDS_A</code><desc>&n; 2.1</desc></lang>",
                  {{"IDS_A", "ScriptCalc 2.1"}}},
        FormatRow{"CdataIsText",
                  "<lang><code>IDS_A</code><desc>x <![CDATA[<b>&amp;</b>]]> y</desc></lang>",
                  {{"IDS_A", "x <b>&amp;</b> y"}}},
        FormatRow{"CommentsAndInstructionsSkipped",
                  "<lang><code>IDS_A</code><desc>Al<!-- note -->ph<?pi x?>a</desc></lang>",
                  {{"IDS_A", "Alpha"}}},
        FormatRow{"InnerStartTagClearsText",
                  "<lang><code>IDS_A</code><desc>lost<b>bold</b>kept</desc></lang>",
                  {{"IDS_A", "boldkept"}}},
        FormatRow{"EmptyDesc", "<lang><code>IDS_A</code><desc/></lang>", {{"IDS_A", ""}}},
        FormatRow{"PrefixedNamesIgnored",
                  "<lang xmlns:x=\"urn:x\"><x:code>IDS_X</x:code><code>IDS_A</code>"
                  "<x:desc>no</x:desc><desc>Alpha</desc></lang>",
                  {{"IDS_A", "Alpha"}}},
        FormatRow{"DefaultNamespaceStillMatches",
                  "<lang xmlns=\"urn:x\"><code>IDS_A</code><desc>Alpha</desc></lang>",
                  {{"IDS_A", "Alpha"}}},
        FormatRow{"NamesAreCaseSensitive",
                  "<lang><CODE>IDS_B</CODE><code>IDS_A</code><Desc>no</Desc><desc>Alpha</desc>"
                  "</lang>",
                  {{"IDS_A", "Alpha"}}},
        FormatRow{"ExternalEntityNotFetched",
                  "<!DOCTYPE lang [<!ENTITY x SYSTEM \"/etc/hostname\">]>"
                  "<lang><code>IDS_A</code><desc>a&x;b</desc></lang>",
                  {{"IDS_A", "ab"}}}),
    RowName());

TEST(LangTable, Utf8WithoutDeclaration) {
    EXPECT_EQ(loadXml("<lang><code>IDS_A</code><desc>中文 ü</desc></lang>"),
              (LangMap{{"IDS_A", QString::fromUtf8("中文 ü")}}));
}

TEST(LangTable, Latin1FromDeclaration) {
    EXPECT_EQ(loadXml("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                      "<lang><code>IDS_A</code><desc>\xE9t\xE9</desc></lang>"),
              (LangMap{{"IDS_A", QString::fromUtf8("été")}}));
}

TEST(LangTable, GbkFromDeclaration) {
    // 中文 in GBK.
    EXPECT_EQ(loadXml("<?xml version=\"1.0\" encoding=\"GBK\"?>"
                      "<lang><code>IDS_A</code><desc>\xD6\xD0\xCE\xC4</desc></lang>"),
              (LangMap{{"IDS_A", QString::fromUtf8("中文")}}));
}

TEST(LangTable, Utf16WithByteOrderMark) {
    const QString text = QString::fromUtf8("<?xml version=\"1.0\" encoding=\"UTF-16\"?>"
                                           "<lang><code>IDS_A</code><desc>中文</desc></lang>");
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    EXPECT_EQ(loadXml(bytes), (LangMap{{"IDS_A", QString::fromUtf8("中文")}}));
}

TEST(LangTable, Utf8ByteOrderMarkIsNotText) {
    EXPECT_EQ(
        loadXml(
            "\xEF\xBB\xBF<?xml version=\"1.0\"?><lang><code>IDS_A</code><desc>中</desc></lang>"),
        (LangMap{{"IDS_A", QString::fromUtf8("中")}}));
}

TEST(LangTable, Utf16BigEndianWithoutByteOrderMark) {
    const QString text = QString::fromUtf8("<lang><code>IDS_A</code><desc>中文</desc></lang>");
    QByteArray bytes;
    for (QChar c : text) {
        bytes += char(c.unicode() >> 8);
        bytes += char(c.unicode() & 0xFF);
    }
    EXPECT_EQ(loadXml(bytes), (LangMap{{"IDS_A", QString::fromUtf8("中文")}}));
}

TEST(LangTable, DeclarationInSingleQuotes) {
    EXPECT_EQ(loadXml("<?xml version='1.0' encoding='iso-8859-1'?>"
                      "<lang><code>IDS_A</code><desc>\xE9</desc></lang>"),
              (LangMap{{"IDS_A", QString::fromUtf8("é")}}));
}

TEST(LangTable, UnknownEncodingNameReadsAsUtf8) {
    EXPECT_EQ(loadXml("<?xml version=\"1.0\" encoding=\"no-such-encoding\"?>"
                      "<lang><code>IDS_A</code><desc>中</desc></lang>"),
              (LangMap{{"IDS_A", QString::fromUtf8("中")}}));
}

TEST(LangTable, UndeclaredGbkStillGivesEveryKey) {
    const LangMap table = loadXml("<lang><code>IDS_A</code><desc>\xD6\xD0\xCE\xC4</desc>"
                                  "<code>IDS_B</code><desc>Beta</desc></lang>");
    EXPECT_EQ(table.keys(), (QStringList{"IDS_A", "IDS_B"}));
    EXPECT_FALSE(table.value("IDS_A").isEmpty());
    EXPECT_EQ(table.value("IDS_B"), "Beta");
}

TEST(LangTable, CharactersAcrossReadBoundaries) {
    // Enough three-byte characters to straddle every internal read boundary;
    // the text is then cut to the caption length.
    const QString text(200000, QChar(0x4E2D));
    EXPECT_EQ(loadXml("<lang><code>IDS_A</code><desc>" + text.toUtf8() + "</desc></lang>"),
              (LangMap{{"IDS_A", text.left(1000)}}));
}

TEST(LangTable, AddsToWhatTheTableHolds) {
    TempFolder folder;
    LangMap table{{"IDS_KEEP", "kept"}, {"IDS_A", "old"}};
    loadLanguageTable(folder.write("lang.xml", "<lang><code>IDS_A</code><desc>new</desc></lang>"),
                      &table);
    EXPECT_EQ(table, (LangMap{{"IDS_KEEP", "kept"}, {"IDS_A", "new"}}));
}

TEST(LangTable, LookUpOfMissingKeyIsEmptyAndInsertsNothing) {
    const LangMap table = loadXml("<lang><code>IDS_A</code><desc>Alpha</desc></lang>");
    EXPECT_TRUE(table.value("IDS_MISSING").isEmpty());
    EXPECT_TRUE(table.value("ids_a").isEmpty());
    EXPECT_EQ(table.size(), 1);
}

} // namespace
