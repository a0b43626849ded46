// ParserError: the engine's one exception type, and the table that maps its codes to keys of the
// application's language string table.
#ifndef MU_PARSER_ERROR_H
#define MU_PARSER_ERROR_H

#include <exception>
#include <string>

namespace mu {

// Error codes; each raising site fixes the position and token it reports.  ORDER ERROR
enum EParseError {
    peUNEXPECTED_OPERATOR = 0,    // operator where none may stand; assignment to a non-variable
    peUNKNOWN_TOKEN = 1,          // no recognizer accepts the text at the position
    peUNEXPECTED_END = 2,         // the expression ends where more is required
    peUNEXPECTED_SEPARATOR = 3,   // separator where none may stand, or outside any bracket
    peUNEXPECTED_ARGUMENT = 4,    // several arguments in brackets that are no function call
    peUNEXPECTED_VALUE = 5,       // number or constant where no value may stand
    peUNEXPECTED_VARIABLE = 6,    // variable or string constant where none may stand
    peUNEXPECTED_BRACKET = 7,     // misplaced bracket, or ")" without its "("
    peUNEXPECTED_STRING = 8,      // string literal where none may stand
    peSTRING_EXPECTED = 9,        // a string function does not get a string
    peVALUE_EXPECTED = 10,        // an operand or argument is not a number
    peMISSING_BRACKET = 11,       // brackets still open at the end
    peUNEXPECTED_FUNCTION = 12,   // function name where none may stand
    peUNTERMINATED_STRING = 13,   // string literal without closing quote
    peTOO_MANY_ARGUMENTS = 14,    // more arguments than the function takes
    peTOO_FEW_ARGUMENTS = 15,     // fewer arguments, or none for a multi-argument function
    peOPERAND_TYPE_CONFLICT = 16, // built-in operator on mixed types or on strings
    peSTRING_RESULT = 17,         // the expression's result is a string
    peINVALID_NAME = 18,          // a definition's name uses characters outside the set
    peBUILTIN_OVERLOAD = 19,      // a user binary operator would redefine a built-in one
    peINVALID_FUNCTION = 20,      // a function definition without a function
    peINVALID_VARIABLE = 21,      // a variable without storage, or a factory that gives none
    peEMPTY_EXPRESSION = 22,      // the pass ends without exactly one result
    peNAME_CONFLICT = 23,         // the name is taken by another kind of definition
    peRESERVED_24 = 24,           // never raised
    peRESERVED_25 = 25,           // never raised
    peRESERVED_26 = 26,           // never raised
    peMESSAGE = 27,               // every error built from a message text
    peRESERVED_28 = 28,           // never raised
    peINTERNAL = 29               // a token or bytecode entry that cannot occur at that point
};

// Keys of errors that have no code of their own: raised in the message form (code peMESSAGE),
// where the message is the key. They concern the functions a script defines:
// a body calls itself or a function not defined before it,
inline constexpr const char* c_szUnknownScriptCall = "IDS_FUNCTION_E01";
// a definition takes a built-in function's name,
inline constexpr const char* c_szBuiltinFunctionName = "IDS_FUNCTION_E02";
// a body assigns to a variable.
inline constexpr const char* c_szAssignmentInBody = "IDS_FUNCTION_E03";

// The string-table key of each code, built once for the whole process and never changed.
class ErrorKeyTable {
public:
    static const ErrorKeyTable& Instance();

    ErrorKeyTable(const ErrorKeyTable&) = delete;
    ErrorKeyTable& operator=(const ErrorKeyTable&) = delete;

    // The key of a_iCode, or the empty string outside 0..29.
    std::string operator[](int a_iCode) const;

private:
    ErrorKeyTable() = default;
};

class ParserError : public std::exception {
public:
    // A coded error as the parser raises it: the message is the code's key.
    ParserError(EParseError a_iCode, const std::string& a_sToken, const std::string& a_sExpr,
                int a_iPosition);
    // A token or entry of a kind an earlier check excludes: the code is not kept.
    explicit ParserError(EParseError a_iCode);
    // A free-text message; "$POS$" and "$TOK$" in it are replaced.
    ParserError(const std::string& a_sMessage, int a_iPosition, const std::string& a_sToken);

    const std::string& message() const { return m_sMessage; }
    const std::string& expression() const { return m_sExpression; }
    const std::string& token() const { return m_sToken; }
    int position() const { return m_iPosition; }
    int code() const { return m_iCode; }

    const char* what() const noexcept override { return m_sMessage.c_str(); }

    // Replaces every a_sMarker in a_sText; replacements are not searched again.
    static std::string ReplaceAll(const std::string& a_sText, const std::string& a_sMarker,
                                  const std::string& a_sReplacement);

private:
    void SubstituteMarkers();

    std::string m_sMessage;
    std::string m_sExpression;
    std::string m_sToken;
    int m_iPosition;
    int m_iCode;
    const ErrorKeyTable* m_pKeyTable;
};

} // namespace mu

#endif
