// FunctionXmlReader on small catalogues written by the tests.
#include "CatalogueXmlParts.h"
#include "FunctionXmlReader.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

namespace {

QByteArray catalogue(const QByteArray& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<functions>" + body + "</functions>";
}

struct Read {
    bool ok = false;
    QList<FunctionEntry> entries;
};

Read readBytes(const QByteArray& content, const QString& category,
               QList<FunctionEntry> before = {}) {
    Read r{false, std::move(before)};
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    r.ok = FunctionXmlReader(r.entries).read(&buffer, category);
    return r;
}

QList<FunctionEntry> previous() {
    return {FunctionEntry{QStringLiteral("old"), QStringLiteral("old()"), 1, 1,
                          QStringLiteral("kept"), QStringLiteral("old.html")}};
}

void expectPrevious(const QList<FunctionEntry>& entries) {
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].show, QStringLiteral("old"));
    EXPECT_EQ(entries[0].shortdesc, QStringLiteral("kept"));
}

} // namespace

TEST(CatalogueReader, ReadsTheRequestedCategoryInFileOrder) {
    const Read r = readBytes(catalogue("<TRIGONOMETRIC>" + fun("sin(x)", "sin()", "1", "1") +
                                       "</TRIGONOMETRIC>"
                                       "<ARITHMETIC>" +
                                       fun("pow(x,y)", "pow(,)", "2", "1", "Power", "power.html") +
                                       fun("Binary", "2", "0", "2") + "</ARITHMETIC>"),
                             QStringLiteral("ARITHMETIC"));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.entries.size(), 2);
    EXPECT_EQ(r.entries[0].show, QStringLiteral("pow(x,y)"));
    EXPECT_EQ(r.entries[0].in, QStringLiteral("pow(,)"));
    EXPECT_EQ(r.entries[0].bidx, 2);
    EXPECT_EQ(r.entries[0].style, 1);
    EXPECT_EQ(r.entries[0].shortdesc, QStringLiteral("Power"));
    EXPECT_EQ(r.entries[0].help, QStringLiteral("power.html"));
    EXPECT_EQ(r.entries[1].in, QStringLiteral("2"));
    EXPECT_EQ(r.entries[1].style, 2);
}

TEST(CatalogueReader, UsesOnlyTheFirstElementOfACategory) {
    const Read r = readBytes(catalogue("<FINANCE>" + fun("first", "a", "0", "1") +
                                       "</FINANCE><FINANCE>" + fun("second", "b", "0", "1") +
                                       fun("third", "c", "0", "1") + "</FINANCE>"),
                             QStringLiteral("FINANCE"));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.entries.size(), 1);
    EXPECT_EQ(r.entries[0].show, QStringLiteral("first"));
}

TEST(CatalogueReader, MissingCategoryGivesAnEmptyListAndSucceeds) {
    const Read r = readBytes(
        catalogue("<TRIGONOMETRIC>" + fun("sin(x)", "sin()", "1", "1") + "</TRIGONOMETRIC>"),
        QStringLiteral("DATETIME"), previous());
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.entries.isEmpty());
}

TEST(CatalogueReader, CategoryWithoutEntriesGivesAnEmptyList) {
    const Read r = readBytes(catalogue("<USERDEFINE><note>none yet</note></USERDEFINE>"),
                             QStringLiteral("USERDEFINE"), previous());
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.entries.isEmpty());
}

TEST(CatalogueReader, CategoryNamesAreCaseSensitive) {
    const Read r = readBytes(catalogue("<finance>" + fun("x", "x", "0", "1") + "</finance>"),
                             QStringLiteral("FINANCE"));
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.entries.isEmpty());
}

TEST(CatalogueReader, SkipsOtherChildrenAndAcceptsAnyRootName) {
    const Read r =
        readBytes("<anything><STATISTICS><comment>x</comment>" + fun("sum", "sum()", "1", "1") +
                      "<function>" + fun("nested", "n", "0", "1") + "</function>" +
                      fun("avg", "avg()", "1", "1") + "</STATISTICS></anything>",
                  QStringLiteral("STATISTICS"));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.entries.size(), 2);
    EXPECT_EQ(r.entries[0].show, QStringLiteral("sum"));
    EXPECT_EQ(r.entries[1].show, QStringLiteral("avg"));
}

TEST(CatalogueReader, FieldsMayComeInAnyOrderAndTheFirstOfANameCounts) {
    const Read r =
        readBytes(catalogue("<ARITHMETIC><fun><vk_help>a.html</vk_help><vk_style>3</vk_style>"
                            "<vk_in>x=1</vk_in><vk_show>first</vk_show><vk_show>second</vk_show>"
                            "<vk_bidx>4</vk_bidx><vk_bidx>5</vk_bidx><extra>ignored</extra></fun>"
                            "</ARITHMETIC>"),
                  QStringLiteral("ARITHMETIC"));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.entries.size(), 1);
    EXPECT_EQ(r.entries[0].show, QStringLiteral("first"));
    EXPECT_EQ(r.entries[0].in, QStringLiteral("x=1"));
    EXPECT_EQ(r.entries[0].bidx, 4);
    EXPECT_EQ(r.entries[0].style, 3);
    EXPECT_EQ(r.entries[0].help, QStringLiteral("a.html"));
    EXPECT_EQ(r.entries[0].shortdesc, QString());
}

TEST(CatalogueReader, MissingFieldsGiveEmptyTextsAndZero) {
    const Read r = readBytes(catalogue("<CONSTANTS><fun><vk_show>only</vk_show></fun>"
                                       "<fun/></CONSTANTS>"),
                             QStringLiteral("CONSTANTS"));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.entries.size(), 2);
    EXPECT_EQ(r.entries[0].show, QStringLiteral("only"));
    EXPECT_TRUE(r.entries[0].in.isEmpty());
    EXPECT_EQ(r.entries[0].bidx, 0);
    EXPECT_EQ(r.entries[0].style, 0);
    EXPECT_TRUE(r.entries[0].shortdesc.isEmpty());
    EXPECT_TRUE(r.entries[0].help.isEmpty());
    EXPECT_TRUE(r.entries[1].show.isEmpty());
}

TEST(CatalogueReader, FieldsWrittenAsAttributesAreNotRead) {
    const Read r = readBytes(
        catalogue("<TRIGONOMETRIC><fun vk_show=\"sin\" vk_in=\"sin()\" vk_bidx=\"1\" "
                  "vk_style=\"1\" vk_shortdesc=\"Sine\" vk_help=\"trig.html\"/></TRIGONOMETRIC>"),
        QStringLiteral("TRIGONOMETRIC"));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.entries.size(), 1);
    EXPECT_TRUE(r.entries[0].show.isEmpty());
    EXPECT_TRUE(r.entries[0].in.isEmpty());
    EXPECT_EQ(r.entries[0].bidx, 0);
    EXPECT_EQ(r.entries[0].style, 0);
    EXPECT_TRUE(r.entries[0].help.isEmpty());
}

TEST(CatalogueReader, ReadsNumbersAsBase10IntegersAndAnythingElseAsZero) {
    struct Row {
        const char* text;
        int value;
    };
    const Row rows[] = {{"0", 0},
                        {"7", 7},
                        {"-3", -3},
                        {"010", 10},
                        {"+2", 2},
                        {"x", 0},
                        {"1.5", 0},
                        {"0x10", 0},
                        {"", 0},
                        {"2 3", 0},
                        {"1e2", 0},
                        {"1,000", 0},
                        {"99999999999", 0},
                        {"2147483647", 2147483647}};
    for (const Row& row : rows) {
        const Read r = readBytes(catalogue(QByteArray("<DATETIME>") +
                                           fun("f", "f()", row.text, row.text) + "</DATETIME>"),
                                 QStringLiteral("DATETIME"));
        ASSERT_TRUE(r.ok) << row.text;
        ASSERT_EQ(r.entries.size(), 1) << row.text;
        EXPECT_EQ(r.entries[0].bidx, row.value) << row.text;
        EXPECT_EQ(r.entries[0].style, row.value) << row.text;
    }
}

TEST(CatalogueReader, IntegersNeverTakeDigitGroupingFromTheLocale) {
    // German groups thousands with "."; "1.000" must not become 1000.
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(FunctionXmlReader::toInt(QStringLiteral("1.000"), german), 0);
    EXPECT_EQ(FunctionXmlReader::toInt(QStringLiteral("12"), german), 12);
    EXPECT_EQ(FunctionXmlReader::toInt(QStringLiteral("-4"), german), -4);
    EXPECT_EQ(FunctionXmlReader::toInt(QStringLiteral("1,000"), QLocale::c()), 0);
    EXPECT_EQ(FunctionXmlReader::toInt(QStringLiteral("3"), QLocale(QLocale::Arabic)), 3);
}

TEST(CatalogueReader, TextContentJoinsNestedTextAndKeepsLineFeeds) {
    const Read r = readBytes(catalogue("<FINANCE><fun><vk_show>a<b>b</b>c</vk_show>"
                                       "<vk_in>p=1000&#10;r=0.05\ny=10&#x0A;p*(1+r)^y</vk_in>"
                                       "<vk_shortdesc>   </vk_shortdesc><vk_help> x.html </vk_help>"
                                       "<vk_style> 1 </vk_style></fun></FINANCE>"),
                             QStringLiteral("FINANCE"));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.entries.size(), 1);
    EXPECT_EQ(r.entries[0].show, QStringLiteral("abc"));
    EXPECT_EQ(r.entries[0].in, QStringLiteral("p=1000\nr=0.05\ny=10\np*(1+r)^y"));
    EXPECT_TRUE(r.entries[0].shortdesc.isEmpty());
    EXPECT_EQ(r.entries[0].help, QStringLiteral(" x.html "));
    EXPECT_EQ(r.entries[0].style, 1);
}

TEST(CatalogueReader, WindowsLineEndingsInsideATemplateBecomeLineFeeds) {
    const Read r = readBytes(catalogue("<FINANCE><fun><vk_in>a=1\r\nb=2\r\na+b</vk_in></fun>"
                                       "</FINANCE>"),
                             QStringLiteral("FINANCE"));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.entries.size(), 1);
    EXPECT_EQ(r.entries[0].in, QStringLiteral("a=1\nb=2\na+b"));
}

TEST(CatalogueReader, ReadsUtf8TextWithAndWithoutByteOrderMark) {
    const QByteArray body = catalogue(
        "<CONSTANTS>" + fun("π", "pi=3.14159265358979", "0", "3", "圆周率") + "</CONSTANTS>");
    for (const QByteArray& content : {body, QByteArray("\xEF\xBB\xBF") + body}) {
        const Read r = readBytes(content, QStringLiteral("CONSTANTS"));
        ASSERT_TRUE(r.ok);
        ASSERT_EQ(r.entries.size(), 1);
        EXPECT_EQ(r.entries[0].show, QString::fromUtf8("π"));
        EXPECT_EQ(r.entries[0].shortdesc, QString::fromUtf8("圆周率"));
    }
}

TEST(CatalogueReader, MalformedDocumentsFailAndKeepThePreviousEntries) {
    struct Row {
        const char* name;
        QByteArray content;
    };
    const Row rows[] = {
        {"empty", ""},
        {"blank", "   \n"},
        {"plain text", "sin() cos()"},
        {"truncated", catalogue("<TRIGONOMETRIC>" + fun("sin", "sin()", "1", "1")).left(60)},
        {"unclosed root", "<functions><TRIGONOMETRIC></TRIGONOMETRIC>"},
        {"mismatched tags", "<functions><TRIGONOMETRIC></ARITHMETIC></functions>"},
        {"two roots", "<a/><b/>"},
        {"undefined entity", "<functions><TRIGONOMETRIC><fun><vk_show>&nbsp;</vk_show></fun>"
                             "</TRIGONOMETRIC></functions>"},
        {"bare ampersand", "<functions><X>a & b</X></functions>"},
        {"undeclared prefix", "<functions><p:TRIGONOMETRIC/></functions>"},
        {"document type inside the root", "<functions><!DOCTYPE f []><TRIGONOMETRIC/></functions>"},
        {"document type after the root", "<functions><TRIGONOMETRIC/></functions><!DOCTYPE f []>"},
        {"binary", QByteArray("\x00\x01\x02\xff\xfe", 5)},
        {"invalid utf-8", "<functions><X>\xff\xfe</X></functions>"},
    };
    for (const Row& row : rows) {
        const Read r = readBytes(row.content, QStringLiteral("TRIGONOMETRIC"), previous());
        EXPECT_FALSE(r.ok) << row.name;
        expectPrevious(r.entries);
    }
}

TEST(CatalogueReader, MissingUnopenedAndUnreadableDevicesFailAndKeepTheEntries) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QList<FunctionEntry> entries = previous();
    FunctionXmlReader reader(entries);

    QFile missing(dir.filePath(QStringLiteral("function.xml")));
    EXPECT_FALSE(missing.open(QIODevice::ReadOnly));
    EXPECT_FALSE(reader.read(&missing, QStringLiteral("TRIGONOMETRIC")));
    expectPrevious(entries);

    QFile folder(dir.path());
    folder.open(QIODevice::ReadOnly);
    EXPECT_FALSE(reader.read(&folder, QStringLiteral("TRIGONOMETRIC")));
    expectPrevious(entries);

    QFile writeOnly(dir.filePath(QStringLiteral("w.xml")));
    ASSERT_TRUE(writeOnly.open(QIODevice::WriteOnly));
    writeOnly.write(catalogue("<TRIGONOMETRIC/>"));
    EXPECT_FALSE(reader.read(&writeOnly, QStringLiteral("TRIGONOMETRIC")));
    expectPrevious(entries);

    QBuffer unopened;
    unopened.setData(catalogue("<TRIGONOMETRIC/>"));
    EXPECT_FALSE(reader.read(&unopened, QStringLiteral("TRIGONOMETRIC")));
    EXPECT_FALSE(reader.read(nullptr, QStringLiteral("TRIGONOMETRIC")));
    expectPrevious(entries);
}

TEST(CatalogueReader, OneReaderReadsAgainAfterAFailure) {
    QList<FunctionEntry> entries;
    FunctionXmlReader reader(entries);
    const QByteArray good = catalogue("<A>" + fun("a1", "x", "0", "1") + "</A><B>" +
                                      fun("b1", "y", "0", "1") + fun("b2", "z", "0", "1") + "</B>");
    auto readWith = [&reader](const QByteArray& content, const QString& category) {
        QBuffer buffer;
        buffer.setData(content);
        buffer.open(QIODevice::ReadOnly);
        return reader.read(&buffer, category);
    };
    ASSERT_TRUE(readWith(good, QStringLiteral("B")));
    EXPECT_EQ(entries.size(), 2);
    EXPECT_FALSE(readWith("<broken", QStringLiteral("A")));
    EXPECT_EQ(entries.size(), 2);
    ASSERT_TRUE(readWith(good, QStringLiteral("A")));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].show, QStringLiteral("a1"));
}

TEST(CatalogueReader, ReadsAHugeCatalogueFromAFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const int count = 20000;
    QByteArray body = "<USERDEFINE>";
    for (int i = 0; i < count; ++i) {
        const QByteArray n = QByteArray::number(i);
        body += fun("entry" + n, "x" + n + "=1", n, "1");
    }
    body += "</USERDEFINE>";
    const QByteArray longTemplate(1 << 20, 'a');
    body += "<FINANCE>" + fun("long", longTemplate, "0", "1") + "</FINANCE>";

    QFile file(dir.filePath(QStringLiteral("function.xml")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(catalogue(body));
    file.close();

    QList<FunctionEntry> entries;
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_TRUE(FunctionXmlReader(entries).read(&file, QStringLiteral("USERDEFINE")));
    ASSERT_EQ(entries.size(), count);
    EXPECT_EQ(entries.last().show, QStringLiteral("entry19999"));
    EXPECT_EQ(entries.last().bidx, 19999);
    file.close();

    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_TRUE(FunctionXmlReader(entries).read(&file, QStringLiteral("FINANCE")));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].in.size(), longTemplate.size());
}
