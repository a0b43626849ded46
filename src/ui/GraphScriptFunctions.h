#pragma once

#include "ScriptFunctionTable.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// The functions of one parameter that a script defines, as the graph shows them: for each
// function of one parameter in the run's table that a call finds now, its signature and the
// variables its body reads, through the functions it calls as well.
struct GraphScriptFunction {
    QString signature; // "f(x)"
    QString name;
    QStringList reads;
};

// The names text uses, by the engine's rules for names (a name inside a number such as 2e3 is
// none), leaving out those in excluded: read as variables, or called (followed by "(").
// An assignment's target ("a" of "a = 1") is neither.
struct GraphNameUses {
    QStringList reads;
    QStringList calls;
};
GraphNameUses graphNameUses(const std::string& text, const QStringList& excluded);

class GraphScriptFunctions {
public:
    explicit GraphScriptFunctions(std::shared_ptr<const mu::ScriptFunctionTable> table);

    const QList<GraphScriptFunction>& ofOneParameter() const { return functions; }
    // The variables an expression in variable reads, through the functions it calls as well.
    QStringList readsOf(const QString& expression, const QString& variable) const;

private:
    QStringList readsOf(const mu::ScriptFunction& function, int depth) const;
    // reads with the reads of the functions among them added, as the first visible ones find them.
    void addCalledReads(GraphNameUses& uses, std::size_t visible, const std::string& excluded,
                        int depth) const;

    std::shared_ptr<const mu::ScriptFunctionTable> definitions;
    QList<GraphScriptFunction> functions;
};
