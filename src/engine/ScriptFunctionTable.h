// Functions a script defines on its own lines, "f(x) = x^2 + 1", and the table a parser reads
// them from.
//
//   line --ReadFunctionHead--> FunctionHead --ScriptFunctionTable::Define--> ScriptFunction
//        (name, parameters,                  (body checked by a parser of    (body text, kept
//         where the body starts)              its own, positions in the line)  in order)
//
// A parser given the table (ParserBase::SetScriptFunctions) reads a defined name followed by "("
// as a call and expands the body in place of the call while it compiles, the arguments in place
// of the parameters: the call compiles to the code of the body written out, so folding, the
// pre-decoded program and the machine code all apply to it.
#ifndef MU_SCRIPT_FUNCTION_TABLE_H
#define MU_SCRIPT_FUNCTION_TABLE_H

#include "ParserCallback.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mu {

class Parser;

// The head of a definition line "name(p1, ..., pn) = body".
struct FunctionHead {
    std::string m_sName;
    std::vector<std::string> m_vParams;
    int m_iNamePos = 0;           // where the name starts in the line
    int m_iBodyPos = 0;           // the first byte after "="
    std::vector<int> m_vParamPos; // where each parameter starts
};

// Recognises a definition line: blanks, a name, "(", one to five parameter names separated by
// ",", ")", "=" (not the start of "=="), then the body. Names follow the rules of variable names
// (letters, digits and "_", not starting with a digit, not an operator word); blanks may stand
// between the parts. Any other line gives nullopt.
std::optional<FunctionHead> ReadFunctionHead(std::string_view a_sLine);

// One definition, as the table keeps it.
class ScriptFunction {
public:
    const std::string& Name() const { return m_sName; }
    const std::vector<std::string>& Params() const { return m_vParams; }
    // The body's text followed by one blank, as a token reader holds an expression.
    const std::string& Body() const { return m_sBody; }
    // "f(x)", "g(a,b)".
    const std::string& Signature() const { return m_sSignature; }
    // The place in the table's order; a body sees only definitions with a lower index.
    std::size_t Index() const { return m_iIndex; }
    // The function token the reader makes of a call: a function of Params().size() arguments
    // that is never called, since the call is expanded before it would be.
    const ParserCallback& Callback() const { return m_Callback; }

private:
    friend class ScriptFunctionTable;

    std::string m_sName;
    std::vector<std::string> m_vParams;
    std::string m_sBody;
    std::string m_sSignature;
    std::size_t m_iIndex = 0;
    ParserCallback m_Callback;
};

class ScriptFunctionTable {
public:
    ScriptFunctionTable();
    ScriptFunctionTable(const ScriptFunctionTable& a_Table);
    ScriptFunctionTable& operator=(const ScriptFunctionTable& a_Table);
    ScriptFunctionTable(ScriptFunctionTable&&) noexcept;
    ScriptFunctionTable& operator=(ScriptFunctionTable&&) noexcept;
    ~ScriptFunctionTable();

    // Checks the body of a_Head's definition in a_sLine and keeps it; from now on a_Head's name
    // calls this body. Throws ParserError, positioned in a_sLine, for a built-in function's name
    // (at the name), a parameter named twice (at the second), a syntax error or an assignment
    // in the body, and a call of the function itself or of a function not defined before (at
    // the called name); the table is unchanged then.
    const ScriptFunction& Define(const FunctionHead& a_Head, std::string_view a_sLine);
    // The newest definition of a_sName, or null.
    const ScriptFunction* Find(std::string_view a_sName) const;
    // The newest definition of a_sName among the first a_iVisible ones, unless its name is
    // a_sExcluded; null when none.
    const ScriptFunction* FindVisible(std::string_view a_sName, std::size_t a_iVisible,
                                      std::string_view a_sExcluded = {}) const;
    void Clear();

    // Every definition in the order they were made, redefined ones included.
    const std::deque<ScriptFunction>& Definitions() const { return m_Definitions; }
    // The definitions a call finds now: the newest of each name, in the order they were made.
    std::vector<const ScriptFunction*> Current() const;
    std::size_t Size() const { return m_Definitions.size(); }
    bool Empty() const { return m_Definitions.empty(); }

    // Whether a defined name starts with the byte a_cByte.
    bool StartsName(unsigned char a_cByte) const { return m_abFirstBytes[a_cByte]; }
    // Changes with every change of the table, and differs between tables: a reader that indexed
    // the names of a table of this generation need not index them again.
    std::uint64_t Generation() const { return m_iGeneration; }

private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view a_sName) const {
            return std::hash<std::string_view>()(a_sName);
        }
    };
    struct NameEqual {
        using is_transparent = void;
        bool operator()(std::string_view a_sLeft, std::string_view a_sRight) const {
            return a_sLeft == a_sRight;
        }
    };

    void CheckBody(const FunctionHead& a_Head, std::string_view a_sLine) const;
    void NewGeneration();

    // Addresses stay put as definitions are added: parsers hold them while they compile.
    std::deque<ScriptFunction> m_Definitions;
    // Each name's definitions, oldest first.
    std::unordered_map<std::string, std::vector<std::size_t>, NameHash, NameEqual> m_Names;
    std::array<bool, 256> m_abFirstBytes{};
    std::uint64_t m_iGeneration = 0;
    // Checks bodies; made when first needed.
    mutable std::unique_ptr<Parser> m_pChecker;
};

} // namespace mu

#endif
