// The shipped unit.xml of every language, read through UnitXmlReader and
// converted as the unit page converts: v * factor(to) / factor(from).
#include "CatalogueShippedData.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using shipped::languages;
using shipped::unitKinds;

shipped::Units kind(const QString& lang, const QString& name) {
    bool ok = false;
    shipped::Units units = shipped::readUnits(lang, name, &ok);
    EXPECT_TRUE(ok) << qPrintable(lang + " " + name);
    return units;
}

double convert(const shipped::Units& units, double value, const QString& from, const QString& to) {
    EXPECT_TRUE(units.index.contains(from)) << qPrintable(from);
    EXPECT_TRUE(units.index.contains(to)) << qPrintable(to);
    return value * units.index.value(to) / units.index.value(from);
}

void expectClose(double actual, double expected, const QString& what) {
    EXPECT_LE(std::abs(actual - expected), 1e-12 * std::abs(expected))
        << qPrintable(what) << ": " << actual << " instead of " << expected;
}

struct Known {
    const char* kind;
    const char* fromEn;
    const char* toEn;
    const char* fromZh;
    const char* toZh;
    double value;
    double expected;
};

// One of each unit the unit page is most asked about, with its exact size.
const Known knownConversions[] = {
    {"Linear", "mile (mi)", "kilometre (km)", "英里 (mi)", "千米 (km)", 1, 1.609344},
    {"Linear", "inch (in)", "centimetre (cm)", "英寸 (in)", "厘米 (cm)", 1, 2.54},
    {"Linear", "foot (ft)", "metre (m)", "英尺 (ft)", "米 (m)", 1, 0.3048},
    {"Linear", "yard (yd)", "metre (m)", "码 (yd)", "米 (m)", 1, 0.9144},
    {"Linear", "nautical mile (nmi)", "metre (m)", "海里 (nmi)", "米 (m)", 1, 1852},
    {"Linear", "metre (m)", "chi (Chinese foot, 1/3 m)", "米 (m)", "尺", 1, 3},
    {"Linear", "li (Chinese, 500 m)", "zhang (Chinese, 10 chi)", "里", "丈", 1, 150},
    {"Linear", "chi (Chinese foot, 1/3 m)", "cun (Chinese inch, 1/10 chi)", "尺", "寸", 1, 10},
    {"Linear", "mile (mi)", "foot (ft)", "英里 (mi)", "英尺 (ft)", 1, 5280},
    {"Area", "acre (ac)", "square metre (m²)", "英亩", "平方米 (m²)", 1, 4046.8564224},
    {"Area", "mu (Chinese, 1/15 ha)", "square metre (m²)", "亩", "平方米 (m²)", 15, 10000},
    {"Area", "hectare (ha)", "mu (Chinese, 1/15 ha)", "公顷 (ha)", "亩", 1, 15},
    {"Area", "square mile (sq mi)", "acre (ac)", "平方英里", "英亩", 1, 640},
    {"Area", "square foot (sq ft)", "square inch (sq in)", "平方英尺", "平方英寸", 1, 144},
    {"Volume", "US gallon (gal)", "litre (L)", "美制加仑", "升 (L)", 1, 3.785411784},
    {"Volume", "imperial gallon (gal)", "litre (L)", "英制加仑", "升 (L)", 1, 4.54609},
    {"Volume", "US gallon (gal)", "US fluid ounce (fl oz)", "美制加仑", "美制液量盎司", 1, 128},
    {"Volume", "cubic foot (cu ft)", "cubic inch (cu in)", "立方英尺", "立方英寸", 1, 1728},
    {"Volume", "cubic metre (m³)", "litre (L)", "立方米 (m³)", "升 (L)", 1, 1000},
    {"Volume", "dan (Chinese, 100 L)", "dou (Chinese, 10 L)", "石", "斗", 1, 10},
    {"Mass", "pound (lb)", "kilogram (kg)", "磅 (lb)", "千克 (kg)", 1, 0.45359237},
    {"Mass", "ounce (oz)", "gram (g)", "盎司 (oz)", "克 (g)", 1, 28.349523125},
    {"Mass", "jin (Chinese pound, 0.5 kg)", "kilogram (kg)", "斤", "千克 (kg)", 1, 0.5},
    {"Mass", "liang (tael, 1/10 jin)", "gram (g)", "两", "克 (g)", 1, 50},
    {"Mass", "jin (Chinese pound, 0.5 kg)", "liang (tael, 1/10 jin)", "斤", "两", 1, 10},
    {"Mass", "stone (st)", "pound (lb)", "英石 (st)", "磅 (lb)", 1, 14},
    {"Mass", "tonne (t)", "jin (Chinese pound, 0.5 kg)", "吨 (t)", "斤", 1, 2000},
};

} // namespace

TEST(UnitData, EveryKindListsDistinctUnitsWithPositiveFactors) {
    for (const QString& lang : languages()) {
        for (const QString& name : unitKinds()) {
            const shipped::Units units = kind(lang, name);
            EXPECT_GE(units.names.size(), 10) << qPrintable(lang + " " + name);
            EXPECT_EQ(units.index.size(), units.names.size())
                << qPrintable(lang + " " + name) << ": a unit name occurs twice";
            for (const QString& unit : units.names) {
                const double f = units.index.value(unit);
                EXPECT_TRUE(std::isfinite(f) && f > 0) << qPrintable(lang + " " + unit);
                EXPECT_FALSE(unit.trimmed().isEmpty()) << qPrintable(lang + " " + name);
            }
        }
    }
}

TEST(UnitData, LanguagesListTheSameUnitsInTheSameOrder) {
    for (const QString& name : unitKinds()) {
        const shipped::Units reference = kind(languages().first(), name);
        for (const QString& lang : languages()) {
            const shipped::Units units = kind(lang, name);
            ASSERT_EQ(units.names.size(), reference.names.size()) << qPrintable(lang + name);
            for (qsizetype i = 0; i < units.names.size(); ++i) {
                EXPECT_EQ(units.index.value(units.names[i]),
                          reference.index.value(reference.names[i]))
                    << qPrintable(lang + " " + units.names[i]);
            }
        }
    }
}

TEST(UnitData, EveryKindHasItsReferenceUnit) {
    const QStringList en{"metre (m)", "square metre (m²)", "litre (L)", "kilogram (kg)"};
    const QStringList zh{"米 (m)", "平方米 (m²)", "升 (L)", "千克 (kg)"};
    for (qsizetype i = 0; i < unitKinds().size(); ++i) {
        EXPECT_EQ(kind("en_us", unitKinds()[i]).index.value(en[i], -1), 1.0);
        EXPECT_EQ(kind("zh_cn", unitKinds()[i]).index.value(zh[i], -1), 1.0);
    }
}

TEST(UnitData, ConvertingThereAndBackGivesTheValueAgain) {
    for (const QString& lang : languages()) {
        for (const QString& name : unitKinds()) {
            const shipped::Units units = kind(lang, name);
            for (const QString& a : units.names) {
                for (const QString& b : units.names) {
                    for (const double v : {1.0, 2.5, 1234.5678}) {
                        const double there = convert(units, v, a, b);
                        expectClose(convert(units, there, b, a), v, lang + " " + a + " " + b);
                    }
                }
            }
        }
    }
}

TEST(UnitData, KnownConversionsAreExact) {
    for (const Known& k : knownConversions) {
        const shipped::Units en = kind("en_us", k.kind);
        expectClose(convert(en, k.value, k.fromEn, k.toEn), k.expected,
                    QString::fromUtf8(k.fromEn));
        const shipped::Units zh = kind("zh_cn", k.kind);
        expectClose(convert(zh, k.value, QString::fromUtf8(k.fromZh), QString::fromUtf8(k.toZh)),
                    k.expected, QString::fromUtf8(k.fromZh));
    }
}

TEST(UnitData, ExactConversionsShowWithoutRoundingNoise) {
    // The unit page shows six significant digits; an exact size must not
    // show as 0.304799 or 1.60934e+00.
    const shipped::Units linear = kind("en_us", "Linear");
    EXPECT_EQ(QString::number(convert(linear, 1, "foot (ft)", "metre (m)"), 'g', 6),
              QStringLiteral("0.3048"));
    EXPECT_EQ(QString::number(convert(linear, 1, "mile (mi)", "kilometre (km)"), 'g', 6),
              QStringLiteral("1.60934"));
    EXPECT_EQ(QString::number(convert(linear, 1, "chi (Chinese foot, 1/3 m)", "metre (m)"), 'g', 6),
              QStringLiteral("0.333333"));
    const shipped::Units mass = kind("zh_cn", "Mass");
    EXPECT_EQ(QString::number(convert(mass, 3, "斤", "千克 (kg)"), 'g', 6), QStringLiteral("1.5"));
    const shipped::Units area = kind("zh_cn", "Area");
    EXPECT_EQ(QString::number(convert(area, 1, "亩", "平方米 (m²)"), 'g', 6),
              QStringLiteral("666.667"));
}
