// The script's functions the graph draws, and the variables each reads: the names that decide
// which parameter lines get a slider.
#include "GraphScriptFunctions.h"
#include "GraphVariables.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(GraphScriptFunctions, FunctionsOfOneParameterWithTheVariablesTheyReadThroughCalls) {
    const auto table = std::make_shared<mu::ScriptFunctionTable>();
    const GraphVariables run(QStringLiteral("a=1\n"
                                            "g(t)=t*b+2e3\n"
                                            "f(x)=a*x+g(x)\n"
                                            "h(u,v)=u+v+c\n"
                                            "g(t)=t+d\n"
                                            "k(a)=a+sin(k0)\n"
                                            "bad(x)=x+\n"
                                            "m(x)=x"),
                             {}, {}, table.get());
    const GraphScriptFunctions defined(table);
    QStringList signatures;
    for (const GraphScriptFunction& function : defined.ofOneParameter())
        signatures.append(function.signature + QLatin1Char(':') +
                          function.reads.join(QLatin1Char(',')));
    // f calls the g defined before it; the newest g is the one a call finds now. A parameter
    // hides the variable of its name; a built-in's name is no variable. The run, and with it the
    // definitions, stop at the failing line.
    EXPECT_EQ(signatures, (QStringList{QStringLiteral("f(x):a,b"), QStringLiteral("g(t):d"),
                                       QStringLiteral("k(a):k0")}));
    EXPECT_EQ(defined.readsOf(QStringLiteral("f(x) + e*x + y=1"), QStringLiteral("x")),
              (QStringList{QStringLiteral("e"), QStringLiteral("a"), QStringLiteral("b")}));
}

} // namespace
