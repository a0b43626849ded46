#include "ParserError.h"

#include <array>

namespace mu {

namespace {

// ORDER ERROR: one key per code; codes without a key of their own share "IDS_PARSE_E02".
constexpr std::array<const char*, peINTERNAL + 1> c_ErrorKeys = {
    "IDS_PARSE_E03", // peUNEXPECTED_OPERATOR
    "IDS_PARSE_E01", // peUNKNOWN_TOKEN
    "IDS_PARSE_E12", // peUNEXPECTED_END
    "IDS_PARSE_E02", // peUNEXPECTED_SEPARATOR
    "IDS_PARSE_E02", // peUNEXPECTED_ARGUMENT
    "IDS_PARSE_E06", // peUNEXPECTED_VALUE
    "IDS_PARSE_E07", // peUNEXPECTED_VARIABLE
    "IDS_PARSE_E04", // peUNEXPECTED_BRACKET
    "IDS_PARSE_E02", // peUNEXPECTED_STRING
    "IDS_PARSE_E02", // peSTRING_EXPECTED
    "IDS_PARSE_E02", // peVALUE_EXPECTED
    "IDS_PARSE_E08", // peMISSING_BRACKET
    "IDS_PARSE_E05", // peUNEXPECTED_FUNCTION
    "IDS_PARSE_E02", // peUNTERMINATED_STRING
    "IDS_PARSE_E09", // peTOO_MANY_ARGUMENTS
    "IDS_PARSE_E10", // peTOO_FEW_ARGUMENTS
    "IDS_PARSE_E02", // peOPERAND_TYPE_CONFLICT
    "IDS_PARSE_E02", // peSTRING_RESULT
    "IDS_PARSE_E02", // peINVALID_NAME
    "IDS_PARSE_E02", // peBUILTIN_OVERLOAD
    "IDS_PARSE_E02", // peINVALID_FUNCTION
    "IDS_PARSE_E02", // peINVALID_VARIABLE
    "IDS_PARSE_E02", // peEMPTY_EXPRESSION
    "IDS_PARSE_E02", // peNAME_CONFLICT
    "IDS_PARSE_E02", // peRESERVED_24
    "IDS_PARSE_E02", // peRESERVED_25
    "IDS_PARSE_E11", // peRESERVED_26
    "IDS_PARSE_E02", // peMESSAGE
    "IDS_PARSE_E02", // peRESERVED_28
    "IDS_PARSE_E02", // peINTERNAL
};
// A missing row would leave the last entry null.
static_assert(c_ErrorKeys[peINTERNAL] != nullptr);

} // namespace

const ErrorKeyTable& ErrorKeyTable::Instance() {
    static const ErrorKeyTable s_Table;
    return s_Table;
}

std::string ErrorKeyTable::operator[](int a_iCode) const {
    if (a_iCode < 0 || a_iCode >= static_cast<int>(c_ErrorKeys.size())) {
        return std::string();
    }
    return c_ErrorKeys[static_cast<std::size_t>(a_iCode)];
}

ParserError::ParserError(EParseError a_iCode, const std::string& a_sToken,
                         const std::string& a_sExpr, int a_iPosition)
    : m_sExpression(a_sExpr), m_sToken(a_sToken), m_iPosition(a_iPosition), m_iCode(a_iCode),
      m_pKeyTable(&ErrorKeyTable::Instance()) {
    m_sMessage = (*m_pKeyTable)[a_iCode];
    SubstituteMarkers();
}

ParserError::ParserError(EParseError /*a_iCode*/)
    : m_sMessage("parser error"), m_iPosition(-1), m_iCode(-1),
      m_pKeyTable(&ErrorKeyTable::Instance()) {}

ParserError::ParserError(const std::string& a_sMessage, int a_iPosition,
                         const std::string& a_sToken)
    : m_sMessage(a_sMessage), m_sToken(a_sToken), m_iPosition(a_iPosition), m_iCode(peMESSAGE),
      m_pKeyTable(&ErrorKeyTable::Instance()) {
    SubstituteMarkers();
}

void ParserError::SubstituteMarkers() {
    m_sMessage = ReplaceAll(m_sMessage, "$POS$", std::to_string(m_iPosition));
    m_sMessage = ReplaceAll(m_sMessage, "$TOK$", m_sToken);
}

std::string ParserError::ReplaceAll(const std::string& a_sText, const std::string& a_sMarker,
                                    const std::string& a_sReplacement) {
    if (a_sMarker.empty()) {
        return a_sText;
    }
    std::string sResult;
    std::string::size_type iStart = 0;
    for (;;) {
        const std::string::size_type iFound = a_sText.find(a_sMarker, iStart);
        if (iFound == std::string::npos) {
            break;
        }
        sResult.append(a_sText, iStart, iFound - iStart);
        sResult += a_sReplacement;
        iStart = iFound + a_sMarker.size();
    }
    sResult.append(a_sText, iStart, std::string::npos);
    return sResult;
}

} // namespace mu
