// UnitXmlReader on small unit catalogues written by the tests.
#include "CatalogueXmlParts.h"
#include "QtPrinters.h"
#include "UnitXmlReader.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <cmath>

namespace {

QByteArray units(const QByteArray& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<units>" + body + "</units>";
}

struct Read {
    bool ok = false;
    QHash<QString, double> index;
    QList<QString> names;
};

Read readBytes(const QByteArray& content, const QString& kind, Read before = {}) {
    Read r = std::move(before);
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    r.ok = UnitXmlReader(r.index, r.names).read(&buffer, kind);
    return r;
}

Read previous() {
    Read r;
    r.index.insert(QStringLiteral("old"), 2.0);
    r.names.append(QStringLiteral("old"));
    return r;
}

void expectPrevious(const Read& r) {
    ASSERT_EQ(r.names, QList<QString>{QStringLiteral("old")});
    ASSERT_EQ(r.index.size(), 1);
    EXPECT_EQ(r.index.value(QStringLiteral("old")), 2.0);
}

} // namespace

TEST(UnitReader, ReadsTheRequestedKindInFileOrder) {
    const Read r =
        readBytes(units("<Linear>" + def("m", "1") + def("km", "0.001") + def("cm", "100") +
                        "</Linear><Mass>" + def("kg", "1") + "</Mass>"),
                  QStringLiteral("Linear"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.names, (QList<QString>{"m", "km", "cm"}));
    ASSERT_EQ(r.index.size(), 3);
    EXPECT_EQ(r.index.value("m"), 1.0);
    EXPECT_EQ(r.index.value("km"), 0.001);
    EXPECT_EQ(r.index.value("cm"), 100.0);
}

TEST(UnitReader, ReplacesTheUnitsOfTheKindReadBefore) {
    const Read r =
        readBytes(units("<Mass>" + def("kg", "1") + "</Mass>"), QStringLiteral("Mass"), previous());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.names, QList<QString>{"kg"});
    EXPECT_FALSE(r.index.contains("old"));
}

TEST(UnitReader, ADuplicateNameIsListedTwiceAndKeepsTheLastFactor) {
    const Read r = readBytes(
        units("<Area>" + def("mu", "0.0015") + def("a", "0.01") + def("mu", "7") + "</Area>"),
        QStringLiteral("Area"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.names, (QList<QString>{"mu", "a", "mu"}));
    EXPECT_EQ(r.index.size(), 2);
    EXPECT_EQ(r.index.value("mu"), 7.0);
}

TEST(UnitReader, MissingKindGivesNoUnitsAndSucceeds) {
    const Read r = readBytes(units("<Linear>" + def("m", "1") + "</Linear>"),
                             QStringLiteral("Volume"), previous());
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.names.isEmpty());
    EXPECT_TRUE(r.index.isEmpty());
}

TEST(UnitReader, UsesOnlyTheFirstElementOfAKindAndSkipsOtherChildren) {
    const Read r = readBytes("<anything><Volume><note>litres</note>" + def("L", "1") + "<group>" +
                                 def("x", "5") + "</group>" + def("mL", "1000") +
                                 "</Volume><Volume>" + def("gal", "0.26") + "</Volume></anything>",
                             QStringLiteral("Volume"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.names, (QList<QString>{"L", "mL"}));
}

TEST(UnitReader, MissingOrUnreadableFieldsGiveEmptyNamesAndZeroFactors) {
    const Read r =
        readBytes(units("<Mass><def><num>3</num></def><def><unit>no factor</unit></def>" +
                        def("word", "heavy") + def("comma", "0,5") + def("empty", "") +
                        "<def unit=\"attr\" num=\"4\"/></Mass>"),
                  QStringLiteral("Mass"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.names, (QList<QString>{"", "no factor", "word", "comma", "empty", ""}));
    EXPECT_EQ(r.index.value(""), 0.0) << "the attribute-only def comes last";
    EXPECT_EQ(r.index.value("no factor"), 0.0);
    EXPECT_EQ(r.index.value("word"), 0.0);
    EXPECT_EQ(r.index.value("comma"), 0.0);
    EXPECT_EQ(r.index.value("empty"), 0.0);
}

TEST(UnitReader, ReadsDecimalAndExponentNotation) {
    struct Row {
        const char* text;
        double value;
    };
    const Row rows[] = {{"1", 1.0},
                        {"0.0254", 0.0254},
                        {"-2.5", -2.5},
                        {".5", 0.5},
                        {"1e-6", 1e-6},
                        {"6.02214076e23", 6.02214076e23},
                        {"1.0570008340246154e-16", 1.0570008340246154e-16},
                        {"39.37007874015748", 39.37007874015748},
                        {"1,000", 0.0},
                        {"0x10", 0.0},
                        {"1e999", 0.0}};
    for (const Row& row : rows) {
        const Read r = readBytes(units(QByteArray("<Linear>") + def("u", row.text) + "</Linear>"),
                                 QStringLiteral("Linear"));
        ASSERT_TRUE(r.ok) << row.text;
        EXPECT_EQ(r.index.value("u"), row.value) << row.text;
    }
}

TEST(UnitReader, FactorsNeverTakeDigitGroupingFromTheLocale) {
    // German writes 0,5 for a half and groups thousands with "."; a factor
    // such as 0.001 must still read as a thousandth.
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(UnitXmlReader::toDouble(QStringLiteral("0.001"), german), 0.001);
    EXPECT_EQ(UnitXmlReader::toDouble(QStringLiteral("1.000"), german), 1.0);
    EXPECT_EQ(UnitXmlReader::toDouble(QStringLiteral("1609.344"), german), 1609.344);
    EXPECT_EQ(UnitXmlReader::toDouble(QStringLiteral("0,5"), german), 0.5);
    EXPECT_EQ(UnitXmlReader::toDouble(QStringLiteral("1e-3"), german), 0.001);
    const QLocale french(QLocale::French, QLocale::France);
    EXPECT_EQ(UnitXmlReader::toDouble(QStringLiteral("0.0254"), french), 0.0254);
    EXPECT_EQ(UnitXmlReader::toDouble(QStringLiteral("abc"), french), 0.0);
    EXPECT_EQ(UnitXmlReader::toDouble(QStringLiteral("1,000"), QLocale::c()), 0.0);
}

TEST(UnitReader, MalformedDocumentsFailAndKeepThePreviousUnits) {
    struct Row {
        const char* name;
        QByteArray content;
    };
    const Row rows[] = {
        {"empty", ""},
        {"plain text", "m 1\nkm 0.001"},
        {"truncated", units("<Linear>" + def("m", "1") + def("km", "0.001")).left(50)},
        {"mismatched tags", "<units><Linear></Area></units>"},
        {"two roots", "<units/><units/>"},
        {"undefined entity", "<units><Linear>" + def("&deg;", "1") + "</Linear></units>"},
        {"binary", QByteArray("\x00\x7f\x80\xff", 4)},
    };
    for (const Row& row : rows) {
        const Read r = readBytes(row.content, QStringLiteral("Linear"), previous());
        EXPECT_FALSE(r.ok) << row.name;
        expectPrevious(r);
    }
}

TEST(UnitReader, MissingUnopenedAndUnreadableDevicesFailAndKeepTheUnits) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Read r = previous();
    UnitXmlReader reader(r.index, r.names);

    QFile missing(dir.filePath(QStringLiteral("unit.xml")));
    EXPECT_FALSE(missing.open(QIODevice::ReadOnly));
    EXPECT_FALSE(reader.read(&missing, QStringLiteral("Linear")));
    expectPrevious(r);

    QFile folder(dir.path());
    folder.open(QIODevice::ReadOnly);
    EXPECT_FALSE(reader.read(&folder, QStringLiteral("Linear")));
    expectPrevious(r);

    QBuffer unopened;
    unopened.setData(units("<Linear/>"));
    EXPECT_FALSE(reader.read(&unopened, QStringLiteral("Linear")));
    EXPECT_FALSE(reader.read(nullptr, QStringLiteral("Linear")));
    expectPrevious(r);
}

TEST(UnitReader, ReadsAHugeUnitTableFromAFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const int count = 20000;
    QByteArray body = "<Linear>";
    for (int i = 1; i <= count; ++i) {
        body += def("unit" + QByteArray::number(i), QByteArray::number(i) + ".5");
    }
    body += "</Linear>";
    QFile file(dir.filePath(QStringLiteral("unit.xml")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(units(body));
    file.close();

    Read r;
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_TRUE(UnitXmlReader(r.index, r.names).read(&file, QStringLiteral("Linear")));
    ASSERT_EQ(r.names.size(), count);
    EXPECT_EQ(r.index.size(), count);
    EXPECT_EQ(r.names.last(), QStringLiteral("unit20000"));
    EXPECT_EQ(r.index.value("unit20000"), 20000.5);
}

TEST(UnitReader, ReadsOffsetsWhereGivenAndZeroElsewhere) {
    const QByteArray content =
        units("<Temperature>" + def("K", "1") +
              "<def offset=\"273.15\"><unit>C</unit><num>1</num></def>" +
              "<def offset=\"459.67\"><unit>F</unit><num>1.8</num></def>" +
              "<def offset=\"warm\"><unit>bad</unit><num>2</num></def>" +
              "<def other=\"5\"><unit>R</unit><num>1.8</num></def></Temperature>");
    Read r;
    QHash<QString, double> offsets{{QStringLiteral("old"), 9.0}};
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    ASSERT_TRUE(
        UnitXmlReader(r.index, r.names, offsets).read(&buffer, QStringLiteral("Temperature")));
    EXPECT_EQ(r.names, (QList<QString>{"K", "C", "F", "bad", "R"}));
    EXPECT_EQ(r.index.value("F"), 1.8);
    EXPECT_EQ(offsets.size(), 5);
    EXPECT_EQ(offsets.value("K", -1), 0.0);
    EXPECT_EQ(offsets.value("C"), 273.15);
    EXPECT_EQ(offsets.value("F"), 459.67);
    EXPECT_EQ(offsets.value("bad", -1), 0.0);
    EXPECT_EQ(offsets.value("R", -1), 0.0);

    // Without an offset index the same file reads as before offsets existed.
    const Read plain = readBytes(content, QStringLiteral("Temperature"));
    ASSERT_TRUE(plain.ok);
    EXPECT_EQ(plain.names, r.names);
    EXPECT_EQ(plain.index, r.index);
}
