// The kinds of the shipped unit.xml beyond length, area, volume and mass:
// their units' exact definitions, offsets included, and round trips through
// every pair of units of each kind, read and converted as the unit page does.
#include "CatalogueShippedData.h"
#include "QtPrinters.h"
#include "UnitConversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

struct Kind {
    QHash<QString, double> factors;
    QList<QString> names;
    QHash<QString, double> offsets;
};

Kind readKind(const QString& lang, const QString& name) {
    Kind kind;
    QFile file(shipped::configFile(lang, QStringLiteral("unit.xml")));
    const bool ok = file.open(QIODevice::ReadOnly) &&
                    UnitXmlReader(kind.factors, kind.names, kind.offsets).read(&file, name);
    EXPECT_TRUE(ok) << qPrintable(lang + " " + name);
    return kind;
}

double convert(const Kind& kind, double value, const QString& from, const QString& to) {
    EXPECT_TRUE(kind.factors.contains(from)) << qPrintable(from);
    EXPECT_TRUE(kind.factors.contains(to)) << qPrintable(to);
    return convertUnitValue(value, kind.factors.value(from), kind.factors.value(to),
                            kind.offsets.value(from), kind.offsets.value(to));
}

const QStringList newKinds{"Temperature", "Time", "Speed", "Data", "Energy", "Pressure", "Angle"};

struct Definition {
    const char* kind;
    double value;
    const char* fromEn;
    const char* toEn;
    const char* fromZh;
    const char* toZh;
    double expected;
};

constexpr double pi = 3.14159265358979323846;

// Each unit by its definition; the 0 °C and 32 °F rows check the offsets.
const Definition definitions[] = {
    {"Temperature", 0, "degree Celsius (°C)", "kelvin (K)", "摄氏度 (°C)", "开尔文 (K)", 273.15},
    {"Temperature", 100, "degree Celsius (°C)", "degree Fahrenheit (°F)", "摄氏度 (°C)",
     "华氏度 (°F)", 212},
    {"Temperature", 32, "degree Fahrenheit (°F)", "degree Celsius (°C)", "华氏度 (°F)",
     "摄氏度 (°C)", 0},
    {"Temperature", -40, "degree Celsius (°C)", "degree Fahrenheit (°F)", "摄氏度 (°C)",
     "华氏度 (°F)", -40},
    {"Temperature", 9, "degree Fahrenheit (°F)", "degree Fahrenheit (°F)", "华氏度 (°F)",
     "华氏度 (°F)", 9},
    {"Temperature", 9, "degree Rankine (°R)", "kelvin (K)", "兰氏度 (°R)", "开尔文 (K)", 5},
    {"Temperature", 0, "degree Fahrenheit (°F)", "degree Rankine (°R)", "华氏度 (°F)",
     "兰氏度 (°R)", 459.67},
    {"Temperature", 0, "kelvin (K)", "degree Fahrenheit (°F)", "开尔文 (K)", "华氏度 (°F)",
     -459.67},
    {"Time", 1, "day (d)", "second (s)", "天 (d)", "秒 (s)", 86400},
    {"Time", 1, "Julian year (365.25 d)", "day (d)", "儒略年 (365.25 天)", "天 (d)", 365.25},
    {"Time", 12, "month (1/12 year)", "Julian year (365.25 d)", "月 (1/12 年)",
     "儒略年 (365.25 天)", 1},
    {"Time", 1, "week", "hour (h)", "周", "小时 (h)", 168},
    {"Time", 1, "minute (min)", "millisecond (ms)", "分钟 (min)", "毫秒 (ms)", 60000},
    {"Time", 1, "microsecond (µs)", "nanosecond (ns)", "微秒 (µs)", "纳秒 (ns)", 1000},
    {"Speed", 36, "kilometre per hour (km/h)", "metre per second (m/s)", "千米每小时 (km/h)",
     "米每秒 (m/s)", 10},
    {"Speed", 1, "mile per hour (mph)", "kilometre per hour (km/h)", "英里每小时 (mph)",
     "千米每小时 (km/h)", 1.609344},
    {"Speed", 1, "knot (kn)", "kilometre per hour (km/h)", "节 (kn)", "千米每小时 (km/h)", 1.852},
    {"Speed", 1, "foot per second (ft/s)", "metre per second (m/s)", "英尺每秒 (ft/s)",
     "米每秒 (m/s)", 0.3048},
    {"Data", 1, "byte (B)", "bit", "字节 (B)", "比特 (bit)", 8},
    {"Data", 1, "kibibyte (KiB, 1024 B)", "byte (B)", "KiB (1024 B)", "字节 (B)", 1024},
    {"Data", 1, "gibibyte (GiB)", "mebibyte (MiB)", "GiB", "MiB", 1024},
    {"Data", 1, "tebibyte (TiB)", "byte (B)", "TiB", "字节 (B)", 1099511627776},
    {"Data", 1, "terabyte (TB)", "gigabyte (GB)", "太字节 (TB)", "吉字节 (GB)", 1000},
    {"Data", 1, "megabyte (MB)", "kilobyte (kB, 1000 B)", "兆字节 (MB)", "千字节 (kB, 1000 B)",
     1000},
    {"Energy", 1, "kilocalorie (kcal)", "joule (J)", "千卡 (kcal)", "焦耳 (J)", 4184},
    {"Energy", 1, "calorie (cal)", "joule (J)", "卡 (cal)", "焦耳 (J)", 4.184},
    {"Energy", 1, "kilowatt-hour (kWh)", "kilojoule (kJ)", "千瓦时 (kWh，度)", "千焦 (kJ)", 3600},
    {"Energy", 1, "watt-hour (Wh)", "joule (J)", "瓦时 (Wh)", "焦耳 (J)", 3600},
    {"Energy", 1, "electronvolt (eV)", "joule (J)", "电子伏特 (eV)", "焦耳 (J)", 1.602176634e-19},
    {"Energy", 1, "British thermal unit (BTU)", "joule (J)", "英热单位 (BTU)", "焦耳 (J)",
     1055.05585262},
    {"Pressure", 1, "atmosphere (atm)", "pascal (Pa)", "标准大气压 (atm)", "帕斯卡 (Pa)", 101325},
    {"Pressure", 1, "atmosphere (atm)", "torr (Torr)", "标准大气压 (atm)", "托 (Torr)", 760},
    {"Pressure", 1, "bar", "kilopascal (kPa)", "巴 (bar)", "千帕 (kPa)", 100},
    {"Pressure", 1, "pound per sq inch (psi)", "pascal (Pa)", "磅力每平方英寸 (psi)", "帕斯卡 (Pa)",
     6894.757293168361},
    {"Pressure", 1, "mm of mercury (mmHg)", "pascal (Pa)", "毫米汞柱 (mmHg)", "帕斯卡 (Pa)",
     133.322387415},
    {"Angle", 1, "turn", "degree (°)", "圈", "度 (°)", 360},
    {"Angle", pi, "radian (rad)", "degree (°)", "弧度 (rad)", "度 (°)", 180},
    {"Angle", 400, "gradian (gon)", "degree (°)", "百分度 (gon)", "度 (°)", 360},
    {"Angle", 1, "degree (°)", "arcminute (′)", "度 (°)", "角分 (′)", 60},
    {"Angle", 1, "arcminute (′)", "arcsecond (″)", "角分 (′)", "角秒 (″)", 60},
};

// Relative to the largest amount in the sum, so that a result of 0 that comes
// from 491.67 - 491.67 is judged by the size of the terms.
void expectClose(double actual, double expected, double scale, const QString& what) {
    EXPECT_LE(std::abs(actual - expected), 1e-12 * scale)
        << qPrintable(what) << ": " << actual << " instead of " << expected;
}

} // namespace

TEST(UnitKinds, EveryLanguageListsTheSameUnitsOfEveryNewKind) {
    for (const QString& name : newKinds) {
        const Kind reference = readKind(QStringLiteral("en_us"), name);
        EXPECT_GE(reference.names.size(), 4) << qPrintable(name);
        for (const QString& lang : shipped::languages()) {
            const Kind kind = readKind(lang, name);
            ASSERT_EQ(kind.names.size(), reference.names.size()) << qPrintable(lang + name);
            EXPECT_EQ(kind.factors.size(), kind.names.size()) << qPrintable(lang + name);
            for (qsizetype i = 0; i < kind.names.size(); ++i) {
                const QString where = lang + QLatin1Char(' ') + kind.names[i];
                EXPECT_EQ(kind.factors.value(kind.names[i]),
                          reference.factors.value(reference.names[i]))
                    << qPrintable(where);
                EXPECT_EQ(kind.offsets.value(kind.names[i]),
                          reference.offsets.value(reference.names[i]))
                    << qPrintable(where);
                EXPECT_TRUE(std::isfinite(kind.factors.value(kind.names[i])) &&
                            kind.factors.value(kind.names[i]) > 0)
                    << qPrintable(where);
            }
        }
    }
}

TEST(UnitKinds, UnitsKeepTheirExactDefinitions) {
    for (const Definition& d : definitions) {
        for (const bool chinese : {false, true}) {
            const Kind kind = readKind(chinese ? QStringLiteral("zh_cn") : QStringLiteral("en_us"),
                                       QLatin1String(d.kind));
            const QString from = QString::fromUtf8(chinese ? d.fromZh : d.fromEn);
            const QString to = QString::fromUtf8(chinese ? d.toZh : d.toEn);
            const double scale =
                std::max({std::abs(d.expected), std::abs(d.value), kind.offsets.value(from),
                          kind.offsets.value(to), 1e-300});
            expectClose(convert(kind, d.value, from, to), d.expected, scale,
                        from + QStringLiteral(" -> ") + to);
        }
    }
}

TEST(UnitKinds, EveryPairConvertsThereAndBack) {
    for (const QString& lang : shipped::languages()) {
        for (const QString& name : newKinds) {
            const Kind kind = readKind(lang, name);
            for (const QString& a : kind.names) {
                for (const QString& b : kind.names) {
                    for (const double v : {1.0, 2.5, -40.0, 1234.5678}) {
                        const double back = convert(kind, convert(kind, v, a, b), b, a);
                        expectClose(back, v, std::abs(v), lang + " " + a + " -> " + b);
                    }
                }
            }
        }
    }
}

TEST(UnitKinds, OffsetsShiftOnlyWhereAUnitHasOne) {
    // Without offsets the conversion is the plain one, a negative zero kept.
    EXPECT_TRUE(std::signbit(convertUnitValue(-0.0, 1, 2, 0, 0)));
    EXPECT_EQ(convertUnitValue(3, 2, 8, 0, 0), convertUnitValue(3, 2, 8));
    // (v + from's offset) * to / from - to's offset.
    EXPECT_EQ(convertUnitValue(1, 1, 1.8, 273.15, 459.67), (1 + 273.15) * 1.8 / 1 - 459.67);
    EXPECT_EQ(convertUnitValue(5, 1.8, 1, 0, 273.15), 5 * 1.0 / 1.8 - 273.15);
}
