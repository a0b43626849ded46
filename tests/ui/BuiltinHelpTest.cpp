// Every built-in function of the engine is offered by the catalogue and
// explained in the help, in every shipped language: a template that calls it,
// and on the page that template names a section headed by the function's
// name with at least one paragraph and one example.
#include "CatalogueShippedData.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QDomDocument>
#include <QFile>

namespace {

// The section of a help page whose heading has the given id: the elements up
// to the next heading.
QList<QDomElement> section(const QString& path, const QString& id) {
    QFile file(path);
    QDomDocument doc;
    if (!file.open(QIODevice::ReadOnly) || !doc.setContent(&file))
        return {};
    const QDomElement body = doc.documentElement().firstChildElement(QStringLiteral("body"));
    QList<QDomElement> found;
    bool inside = false;
    for (QDomElement e = body.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() == QLatin1String("h2")) {
            if (inside)
                break;
            inside = e.attribute(QStringLiteral("id")) == id;
        } else if (inside) {
            found << e;
        }
    }
    return found;
}

} // namespace

TEST(BuiltinHelp, EveryBuiltinHasATemplateAndAHelpSectionInEveryLanguage) {
    for (const QString& lang : shipped::languages()) {
        QList<FunctionEntry> entries;
        for (const QString& category : shipped::categories()) {
            bool ok = false;
            entries += shipped::readCategory(lang, category, &ok);
            ASSERT_TRUE(ok) << qPrintable(lang + " " + category);
        }
        for (const QString& name : shipped::builtinFunctions()) {
            const QString where = lang + QLatin1Char(' ') + name;
            const auto entry = std::find_if(entries.begin(), entries.end(), [&](const auto& e) {
                return e.style == 1 && e.in.startsWith(name + QLatin1Char('('));
            });
            ASSERT_NE(entry, entries.end()) << qPrintable(where);
            const QList<QDomElement> parts =
                section(shipped::helpDir(lang) + QLatin1Char('/') + entry->help, name);
            const auto has = [&](const char* tag, const char* cls) {
                return std::any_of(parts.begin(), parts.end(), [&](const QDomElement& e) {
                    return e.tagName() == QLatin1String(tag) &&
                           e.attribute(QStringLiteral("class")) == QLatin1String(cls) &&
                           !e.text().trimmed().isEmpty();
                });
            };
            EXPECT_TRUE(has("p", "")) << qPrintable(where + " in " + entry->help);
            EXPECT_TRUE(has("div", "example")) << qPrintable(where + " in " + entry->help);
        }
    }
}
