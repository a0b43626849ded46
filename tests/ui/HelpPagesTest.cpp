// The shipped help pages: well-formed, self-contained, linked correctly, the
// same in every language, and with examples marked so that they can be run.
#include "CatalogueShippedData.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

#include <functional>

namespace {

using shipped::languages;

QStringList pageNames(const QString& lang) {
    return QDir(shipped::helpDir(lang))
        .entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

QDomDocument loadPage(const QString& lang, const QString& name) {
    QFile file(shipped::helpDir(lang) + QLatin1Char('/') + name);
    QDomDocument doc;
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot open " << qPrintable(file.fileName());
        return doc;
    }
    QString error;
    int line = 0;
    if (!doc.setContent(&file, false, &error, &line)) {
        ADD_FAILURE() << qPrintable(lang + "/" + name) << " line " << line << ": "
                      << qPrintable(error);
    }
    return doc;
}

void forEachElement(const QDomElement& root, const std::function<void(const QDomElement&)>& f) {
    f(root);
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        forEachElement(e, f);
    }
}

QList<QDomElement> elements(const QDomDocument& doc) {
    QList<QDomElement> all;
    forEachElement(doc.documentElement(), [&all](const QDomElement& e) { all << e; });
    return all;
}

bool hasClass(const QDomElement& e, const QString& name) {
    return e.attribute(QStringLiteral("class")).split(QLatin1Char(' ')).contains(name);
}

struct Example {
    QString script;
    QString result;
    QString base;
};

// The examples of a page: div.example holding one pre.script and one
// code.result.
QList<Example> examples(const QDomDocument& doc, const QString& where) {
    QList<Example> found;
    for (const QDomElement& div : elements(doc)) {
        if (div.tagName() != QStringLiteral("div") || !hasClass(div, QStringLiteral("example"))) {
            continue;
        }
        QList<QDomElement> scripts;
        QList<QDomElement> results;
        forEachElement(div, [&](const QDomElement& e) {
            if (e.tagName() == QStringLiteral("pre") && hasClass(e, QStringLiteral("script"))) {
                scripts << e;
            }
            if (e.tagName() == QStringLiteral("code") && hasClass(e, QStringLiteral("result"))) {
                results << e;
            }
        });
        EXPECT_EQ(scripts.size(), 1) << qPrintable(where);
        EXPECT_EQ(results.size(), 1) << qPrintable(where);
        if (scripts.size() == 1 && results.size() == 1) {
            found << Example{scripts[0].text(), results[0].text(),
                             div.attribute(QStringLiteral("data-base"))};
        }
    }
    return found;
}

QSet<QString> ids(const QDomDocument& doc) {
    QSet<QString> all;
    for (const QDomElement& e : elements(doc)) {
        if (e.hasAttribute(QStringLiteral("id"))) {
            all.insert(e.attribute(QStringLiteral("id")));
        }
    }
    return all;
}

} // namespace

TEST(HelpPages, EveryLanguageHasTheSamePagesAndAStartPage) {
    const QStringList reference = pageNames(languages().first());
    EXPECT_TRUE(reference.contains(QStringLiteral("main.html")));
    EXPECT_GE(reference.size(), 10);
    for (const QString& lang : languages()) {
        EXPECT_EQ(pageNames(lang), reference) << qPrintable(lang);
    }
}

TEST(HelpPages, PagesAreWellFormedUtf8Documents) {
    for (const QString& lang : languages()) {
        for (const QString& name : pageNames(lang)) {
            const QString where = lang + QLatin1Char('/') + name;
            QFile file(shipped::helpDir(lang) + QLatin1Char('/') + name);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            EXPECT_TRUE(bytes.startsWith("<!DOCTYPE html>\n")) << qPrintable(where);
            EXPECT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes) << qPrintable(where);

            const QDomDocument doc = loadPage(lang, name);
            const QDomElement html = doc.documentElement();
            EXPECT_EQ(html.tagName(), QStringLiteral("html")) << qPrintable(where);
            const QDomElement head = html.firstChildElement(QStringLiteral("head"));
            EXPECT_EQ(head.firstChildElement(QStringLiteral("meta"))
                          .attribute(QStringLiteral("charset"))
                          .toLower(),
                      QStringLiteral("utf-8"))
                << qPrintable(where);
            EXPECT_FALSE(head.firstChildElement(QStringLiteral("title")).text().isEmpty())
                << qPrintable(where);
            EXPECT_FALSE(html.firstChildElement(QStringLiteral("body"))
                             .firstChildElement(QStringLiteral("h1"))
                             .isNull())
                << qPrintable(where);

            QSet<QString> seen;
            for (const QDomElement& e : elements(doc)) {
                const QString id = e.attribute(QStringLiteral("id"));
                if (!id.isEmpty()) {
                    EXPECT_FALSE(seen.contains(id)) << qPrintable(where + " #" + id);
                    seen.insert(id);
                }
            }
        }
    }
}

TEST(HelpPages, PagesLoadNothingFromOutside) {
    const QStringList foreign{"script", "link", "iframe", "object", "embed", "img", "base"};
    for (const QString& lang : languages()) {
        for (const QString& name : pageNames(lang)) {
            for (const QDomElement& e : elements(loadPage(lang, name))) {
                EXPECT_FALSE(foreign.contains(e.tagName()))
                    << qPrintable(lang + "/" + name + " <" + e.tagName() + ">");
                for (const QString& a : {QStringLiteral("src"), QStringLiteral("style")}) {
                    EXPECT_FALSE(e.hasAttribute(a)) << qPrintable(lang + "/" + name + " " + a);
                }
                const QDomNamedNodeMap attributes = e.attributes();
                for (int i = 0; i < attributes.count(); ++i) {
                    const QString a = attributes.item(i).nodeName();
                    EXPECT_FALSE(a.startsWith(QStringLiteral("on")))
                        << qPrintable(lang + "/" + name + " " + a);
                }
            }
        }
    }
}

TEST(HelpPages, EveryLocalLinkResolves) {
    for (const QString& lang : languages()) {
        const QStringList pages = pageNames(lang);
        for (const QString& name : pages) {
            for (const QDomElement& e : elements(loadPage(lang, name))) {
                if (!e.hasAttribute(QStringLiteral("href"))) {
                    continue;
                }
                const QString where = lang + QLatin1Char('/') + name + QStringLiteral(" -> ") +
                                      e.attribute(QStringLiteral("href"));
                const QUrl url(e.attribute(QStringLiteral("href")));
                ASSERT_TRUE(url.isValid()) << qPrintable(where);
                ASSERT_TRUE(url.isRelative()) << qPrintable(where);
                const QString target = url.path().isEmpty() ? name : url.path();
                ASSERT_TRUE(pages.contains(target)) << qPrintable(where);
                if (url.hasFragment()) {
                    EXPECT_TRUE(ids(loadPage(lang, target)).contains(url.fragment()))
                        << qPrintable(where);
                }
            }
        }
    }
}

TEST(HelpPages, StartPageLinksEveryOtherPage) {
    for (const QString& lang : languages()) {
        QSet<QString> linked;
        for (const QDomElement& e : elements(loadPage(lang, QStringLiteral("main.html")))) {
            if (e.tagName() == QStringLiteral("a")) {
                linked.insert(QUrl(e.attribute(QStringLiteral("href"))).path());
            }
        }
        for (const QString& name : pageNames(lang)) {
            if (name != QStringLiteral("main.html")) {
                EXPECT_TRUE(linked.contains(name)) << qPrintable(lang + " " + name);
            }
        }
    }
}

TEST(HelpPages, EveryPageShowsRunnableExamples) {
    // Examples hold the script exactly as typed, ASCII lines without a blank
    // one, and the result box's text; base conversions name their base.
    for (const QString& lang : languages()) {
        for (const QString& name : pageNames(lang)) {
            const QString where = lang + QLatin1Char('/') + name;
            const QList<Example> found = examples(loadPage(lang, name), where);
            EXPECT_FALSE(found.isEmpty()) << qPrintable(where);
            for (const Example& ex : found) {
                EXPECT_FALSE(ex.result.isEmpty()) << qPrintable(where + " " + ex.script);
                EXPECT_EQ(ex.result.trimmed(), ex.result) << qPrintable(where);
                for (const QString& line : ex.script.split(QLatin1Char('\n'))) {
                    EXPECT_FALSE(line.trimmed().isEmpty()) << qPrintable(where + " " + ex.script);
                }
                for (const QChar c : ex.script) {
                    EXPECT_TRUE(c == QLatin1Char('\n') ||
                                (c.unicode() >= 0x20 && c.unicode() < 0x7f))
                        << qPrintable(where + " " + ex.script);
                }
                if (!ex.base.isEmpty()) {
                    bool ok = false;
                    const int base = ex.base.toInt(&ok);
                    EXPECT_TRUE(ok && base >= 2 && base <= 36) << qPrintable(where);
                    EXPECT_TRUE(ex.result.contains(QStringLiteral(" -->> "))) << qPrintable(where);
                }
            }
        }
    }
}

TEST(HelpPages, LanguagesShowTheSameExamplesAndResults) {
    const QString first = languages().first();
    for (const QString& name : pageNames(first)) {
        const QList<Example> reference = examples(loadPage(first, name), first + name);
        for (const QString& lang : languages()) {
            const QList<Example> found = examples(loadPage(lang, name), lang + name);
            ASSERT_EQ(found.size(), reference.size()) << qPrintable(lang + "/" + name);
            for (qsizetype i = 0; i < found.size(); ++i) {
                EXPECT_EQ(found[i].script, reference[i].script) << qPrintable(lang + "/" + name);
                EXPECT_EQ(found[i].result, reference[i].result) << qPrintable(lang + "/" + name);
                EXPECT_EQ(found[i].base, reference[i].base) << qPrintable(lang + "/" + name);
            }
        }
    }
}

TEST(HelpPages, ResultsAreWrittenAsTheResultBoxWritesThem) {
    // Fixed point with up to eight decimals and no trailing zeros, or six
    // significant digits in C's %g form (upper case after a base conversion),
    // or the infinity sign.
    static const QRegularExpression shown(
        QStringLiteral("^(-?\\d+(\\.\\d{0,7}[1-9])?|-?\\d(\\.\\d{0,4}[1-9])?[eE][+-]\\d{2,3}|-?0\\."
                       "\\d*[1-9]|-?\u221e)"
                       "( -->> [0-9A-Z]+)?$"));
    for (const QString& lang : languages()) {
        for (const QString& name : pageNames(lang)) {
            for (const Example& ex : examples(loadPage(lang, name), lang + name)) {
                EXPECT_TRUE(shown.match(ex.result).hasMatch())
                    << qPrintable(lang + "/" + name + ": " + ex.result);
            }
        }
    }
}
