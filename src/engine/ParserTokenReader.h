// ParserTokenReader: cuts the expression into tokens, one per NextToken call, and enforces the
// grammar with syntax flags: every token leaves a flag word saying which kinds may follow, and a
// forbidden kind stops the pass with a positioned error raised through the owning parser.
#ifndef MU_PARSER_TOKEN_READER_H
#define MU_PARSER_TOKEN_READER_H

#include "ParserDef.h"
#include "ParserError.h"
#include "ParserLookup.h"
#include "ParserNameTable.h"
#include "ParserToken.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mu {

class ParserBase;
class ScriptFunction;
class ScriptFunctionTable;

class ParserTokenReader {
public:
    using token_type = ParserToken<double, std::string>;

    explicit ParserTokenReader(ParserBase* a_pParent);
    // Copies keep no last token and a zero value of their own.
    ParserTokenReader(const ParserTokenReader& a_Reader);
    ParserTokenReader& operator=(const ParserTokenReader& a_Reader);

    // A heap copy bound to a_pParent's tables.
    std::unique_ptr<ParserTokenReader> Clone(ParserBase* a_pParent) const;

    void SetExpression(const std::string& a_sExpr);
    // Stores a_sText followed by a_cAppend, without building the joined text first.
    void SetExpression(std::string_view a_sText, char a_cAppend);
    void Restart();
    token_type NextToken();

    int Position() const { return m_iPos; }
    const std::string& Expression() const { return m_sExpr; }
    const VariableTable& UsedVariables() const { return m_UsedVars; }
    int SyntaxFlags() const { return m_iSyntax; }
    int OpenBrackets() const { return m_iOpenBrackets; }

    void SetAcceptUndefined(bool a_bAccept) { m_bAcceptUndefined = a_bAccept; }
    // On by default. A parser that only reads the table after its own pass for UsedVariables
    // switches it off otherwise, which saves a map insertion per variable read.
    void SetRecordUsedVariables(bool a_bRecord) { m_bRecordUsed = a_bRecord; }
    void SetVariableFactory(VariableFactory a_pFactory, void* a_pUserData);
    // a_szFirstBytes: every byte a literal the reader accepts may start with; elsewhere it is not
    // asked. Null: it is asked at every byte.
    void AddValueReader(ValueReader a_pReader, const char* a_szFirstBytes = nullptr);
    void SetSeparator(char a_cSep) {
        m_cSeparator = a_cSep;
        m_iIndexedDefinitions = ~std::uint64_t{0};
    }
    char Separator() const { return m_cSeparator; }

    // Script functions and parameters (ParserTokenReaderScript.cpp).
    struct ScriptScope {
        // Where "name(" finds script functions; null: nowhere.
        const ScriptFunctionTable* m_pTable = nullptr;
        // Only the first m_iVisible definitions, and none named m_sExcluded.
        std::size_t m_iVisible = ~std::size_t{0};
        std::string_view m_sExcluded;
        // The parameters of the body being read: each of these names is an operand of its own.
        const std::vector<std::string>* m_pParams = nullptr;
        // "name(" of no function is an error at the name, not a name followed by a bracket.
        bool m_bRejectUnknownCalls = false;
    };
    void SetScriptScope(const ScriptScope& a_Scope);
    // The definition the token just returned calls, or null; asking forgets it.
    const ScriptFunction* TakeScriptCall() {
        const ScriptFunction* pCall = m_pScriptCall;
        m_pScriptCall = nullptr;
        return pCall;
    }
    // The index of the parameter the token just returned names, or -1; asking forgets it.
    int TakeParameter() {
        const int iParam = m_iParam;
        m_iParam = -1;
        return iParam;
    }
    bool AcceptsUndefined() const { return m_bAcceptUndefined; }
    bool RecordsUsedVariables() const { return m_bRecordUsed; }
    // Records every variable of a_Used as used by this pass.
    void AddUsed(const VariableTable& a_Used);

private:
    // One of the parser's three character sets; the reader remembers its latest run in each.
    enum ECharSet { csNAME = 0, csOPERATOR = 1, csINFIX = 2 };
    struct RunCache {
        int m_iStart = -1;
        int m_iEnd = -1;
    };

    void AttachTo(ParserBase* a_pParent);
    void CopyFrom(const ParserTokenReader& a_Reader);
    // Out of line and taking a view, so that no recognizer builds a string it will not need.
    [[noreturn]] void Error(EParseError a_iCode, int a_iPos, std::string_view a_sTok) const;

    // End of the run of a_iSet characters starting at a_iPos; a_sTok views the run in place.
    // Every recognizer at one position asks for the same runs, and an operator run (letters are
    // operator characters) can stretch over most of the expression; remembering the last run of
    // each set keeps the whole pass linear in the length of the text, and the answer from the
    // memory is inline.
    int ExtractRun(ECharSet a_iSet, std::string_view& a_sTok, int a_iPos) {
        RunCache& run = m_aRuns[a_iSet];
        if (run.m_iStart < 0 || a_iPos < run.m_iStart || a_iPos > run.m_iEnd) {
            // No set holds the terminating NUL, so the run ends inside the text.
            const CharTable& aInSet = *m_apCharSets[a_iSet];
            const unsigned char* const pStart =
                reinterpret_cast<const unsigned char*>(m_sExpr.c_str()) + a_iPos;
            const unsigned char* pEnd = pStart;
            while (aInSet[*pEnd]) {
                ++pEnd;
            }
            const int iEnd = a_iPos + static_cast<int>(pEnd - pStart);
            if (iEnd == a_iPos) {
                CheckCharSet(a_iSet);
            }
            run = RunCache{a_iPos, iEnd};
        }
        a_sTok = std::string_view(m_sExpr.data() + a_iPos,
                                  static_cast<std::size_t>(run.m_iEnd - a_iPos));
        return run.m_iEnd;
    }
    // Asserts that the set is not empty: an empty set is a fault of the derived parser.
    void CheckCharSet(ECharSet a_iSet) const;
    void RecordUsed(std::string_view a_sName, double* a_pVar) {
        if (m_bRecordUsed) {
            InsertUsed(a_sName, a_pVar);
        }
    }
    // Out of line: only the pass for UsedVariables records, and the table's insertion would
    // otherwise weigh on every variable read.
    void InsertUsed(std::string_view a_sName, double* a_pVar);

    // Which recognizers may accept a token at a byte: one bit each, in the order they are tried.
    enum EReader : std::uint16_t {
        rdEND = 0x001,
        rdUSER_OPERATOR = 0x002,
        rdFUNCTION = 0x004,
        rdDEFAULT_OPERATOR = 0x008,
        rdSEPARATOR = 0x010,
        rdCONSTANT = 0x020,
        rdLITERAL = 0x040,
        rdVARIABLE = 0x080,
        rdSTRING_CONSTANT = 0x100,
        rdSTRING_LITERAL = 0x200,
        rdINFIX = 0x400,
        rdPOSTFIX = 0x800,
        rdUNDEFINED = 0x1000,
        rdSCRIPT = 0x2000
    };
    // A value reader and the first bytes of the literals it accepts.
    struct LiteralReader {
        ValueReader m_pReader;
        CharTable m_aFirst;
    };
    void IndexReaders();
    // The part of the index for script functions and parameters (rdSCRIPT), which changes with
    // the scope and the table's names.
    void IndexScriptNames();

    bool ReadEnd(token_type& a_Tok);
    bool ReadUserOperator(token_type& a_Tok);
    bool ReadFunction(token_type& a_Tok);
    bool OpenBracketAt(int a_iPos) const;
    bool ReadDefaultOperator(token_type& a_Tok);
    bool ReadSeparator(token_type& a_Tok);
    // A constant's name, then a literal that a value reader accepts: one kind of token, a value.
    bool ReadConstant(token_type& a_Tok);
    bool ReadLiteral(token_type& a_Tok);
    bool ReadVariable(token_type& a_Tok);
    bool ReadStringConstant(token_type& a_Tok);
    bool ReadStringLiteral(token_type& a_Tok);
    bool ReadInfixOperator(token_type& a_Tok);
    bool ReadPostfixOperator(token_type& a_Tok);
    bool ReadUndefinedVariable(token_type& a_Tok);
    // A script function's name followed by "(", or a parameter's name.
    bool ReadScriptName(token_type& a_Tok);

    ParserBase* m_pParser;
    std::string m_sExpr;
    int m_iPos = 0;
    int m_iSyntax = 0;
    bool m_bAcceptUndefined = false;
    bool m_bRecordUsed = true;
    const CallbackTable* m_pFunDef = nullptr;
    const CallbackTable* m_pPostOprtDef = nullptr;
    const CallbackTable* m_pInfixOprtDef = nullptr;
    const CallbackTable* m_pOprtDef = nullptr;
    const ValueTable* m_pConstDef = nullptr;
    const StringIndexTable* m_pStrVarDef = nullptr;
    VariableTable* m_pVarDef = nullptr;
    VariableFactory m_pVarFactory = nullptr;
    void* m_pVarFactoryData = nullptr;
    std::vector<LiteralReader> m_vValueReaders;
    VariableTable m_UsedVars;
    // The latest miss of ReadVariable and its position in this pass (-1: none): a name that
    // becomes a new variable right after is entered without a second look-up.
    VariableTable::Miss m_VarMiss;
    int m_iVarMissPos = -1;
    double m_fZeroValue = 0.0;
    int m_iOpenBrackets = 0;
    // Of the last token returned only its kind is ever asked for ("(" after a function), so only
    // the kind is kept: copying the whole token would clone its callback record every time.
    ECmd m_iLastCmd = cmNONE;
    char m_cSeparator = ',';
    RunCache m_aRuns[3];
    // The parser's membership tables of the three sets, by ECharSet.
    const CharTable* m_apCharSets[3] = {};
    // For each first byte, the recognizers that may accept or reject the token there (EReader);
    // the others certainly pass it on. Built from the parser's tables of generation
    // m_iIndexedDefinitions and from this reader's separator and value readers, whose changes
    // force a rebuild as well.
    std::array<std::uint16_t, 256> m_aiReaders{};
    // The parser's functions, hashed; built with the index above.
    NameIndex<ParserCallback> m_FunctionIndex;
    std::uint64_t m_iIndexedDefinitions = ~std::uint64_t{0};
    ScriptScope m_Scope;
    // The table's Generation that rdSCRIPT was indexed for.
    std::uint64_t m_iIndexedScripts = 0;
    const ScriptFunction* m_pScriptCall = nullptr;
    int m_iParam = -1;
};

} // namespace mu

#endif
