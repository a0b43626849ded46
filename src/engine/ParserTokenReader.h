// ParserTokenReader: cuts the expression into tokens, one per NextToken call, and enforces the
// grammar with syntax flags: every token leaves a flag word saying which kinds may follow, and a
// forbidden kind stops the pass with a positioned error raised through the owning parser.
#ifndef MU_PARSER_TOKEN_READER_H
#define MU_PARSER_TOKEN_READER_H

#include "ParserDef.h"
#include "ParserError.h"
#include "ParserToken.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mu {

class ParserBase;

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
    void Restart();
    token_type NextToken();

    int Position() const { return m_iPos; }
    const std::string& Expression() const { return m_sExpr; }
    const VariableTable& UsedVariables() const { return m_UsedVars; }
    int SyntaxFlags() const { return m_iSyntax; }
    int OpenBrackets() const { return m_iOpenBrackets; }

    void SetAcceptUndefined(bool a_bAccept) { m_bAcceptUndefined = a_bAccept; }
    void SetVariableFactory(VariableFactory a_pFactory, void* a_pUserData);
    void AddValueReader(ValueReader a_pReader);
    void SetSeparator(char a_cSep) { m_cSeparator = a_cSep; }
    char Separator() const { return m_cSeparator; }

private:
    // One of the parser's three character sets; the reader remembers its latest run in each.
    enum ECharSet { csNAME = 0, csOPERATOR = 1, csINFIX = 2 };
    struct RunCache {
        int m_iStart = -1;
        int m_iEnd = -1;
    };

    void AttachTo(ParserBase* a_pParent);
    void CopyFrom(const ParserTokenReader& a_Reader);
    [[noreturn]] void Error(EParseError a_iCode, int a_iPos, const std::string& a_sTok) const;

    // End of the run of a_iSet characters starting at a_iPos; a_sTok views the run in place.
    int ExtractRun(ECharSet a_iSet, std::string_view& a_sTok, int a_iPos);
    const std::string& CharSet(ECharSet a_iSet) const;

    bool ReadEnd(token_type& a_Tok);
    bool ReadUserOperator(token_type& a_Tok);
    bool ReadFunction(token_type& a_Tok);
    bool ReadDefaultOperator(token_type& a_Tok);
    bool ReadSeparator(token_type& a_Tok);
    bool ReadValue(token_type& a_Tok);
    bool ReadVariable(token_type& a_Tok);
    bool ReadStringConstant(token_type& a_Tok);
    bool ReadStringLiteral(token_type& a_Tok);
    bool ReadInfixOperator(token_type& a_Tok);
    bool ReadPostfixOperator(token_type& a_Tok);
    bool ReadUndefinedVariable(token_type& a_Tok);

    ParserBase* m_pParser;
    std::string m_sExpr;
    int m_iPos = 0;
    int m_iSyntax = 0;
    bool m_bAcceptUndefined = false;
    const CallbackTable* m_pFunDef = nullptr;
    const CallbackTable* m_pPostOprtDef = nullptr;
    const CallbackTable* m_pInfixOprtDef = nullptr;
    const CallbackTable* m_pOprtDef = nullptr;
    const ValueTable* m_pConstDef = nullptr;
    const StringIndexTable* m_pStrVarDef = nullptr;
    VariableTable* m_pVarDef = nullptr;
    VariableFactory m_pVarFactory = nullptr;
    void* m_pVarFactoryData = nullptr;
    std::vector<ValueReader> m_vValueReaders;
    VariableTable m_UsedVars;
    double m_fZeroValue = 0.0;
    int m_iOpenBrackets = 0;
    token_type m_lastToken;
    char m_cSeparator = ',';
    RunCache m_aRuns[3];
};

} // namespace mu

#endif
