#include "ParserBase.h"

namespace mu {

namespace {

// Longest expression text accepted. Beyond it the compile stacks would need more memory than a
// machine can be expected to give, and positions must stay within an int.
constexpr std::size_t c_iMaxExpressionLength = std::size_t{1} << 26;

} // namespace

ParserBase::ParserBase()
    : m_iEvalRoutine(EvalRoutine::Compile), m_pCode(nullptr), m_bFolding(true),
      m_bUseBytecode(true), m_bDefaultOprt(true) {
    m_pTokenReader = std::make_unique<ParserTokenReader>(this);
    // Only UsedVariables reads the reader's table of used variables; it records for that pass.
    m_pTokenReader->SetRecordUsedVariables(false);
}

ParserBase::ParserBase(const ParserBase& a_Parser) : ParserBase() {
    Assign(a_Parser);
}

ParserBase& ParserBase::operator=(const ParserBase& a_Parser) {
    Assign(a_Parser);
    return *this;
}

ParserBase::~ParserBase() = default;

void ParserBase::Assign(const ParserBase& a_Parser) {
    if (&a_Parser == this) {
        return;
    }
    Reset();
    m_ConstDef = a_Parser.m_ConstDef;
    m_VarDef = a_Parser.m_VarDef;
    m_bFolding = a_Parser.m_bFolding;
    m_bUseBytecode = a_Parser.m_bUseBytecode;
    m_bDefaultOprt = a_Parser.m_bDefaultOprt;
    m_bMachineCode = a_Parser.m_bMachineCode;
    m_vStringBuf = a_Parser.m_vStringBuf;
    m_pTokenReader = a_Parser.m_pTokenReader->Clone(this);
    m_StrVarDef = a_Parser.m_StrVarDef;
    m_vStringVarBuf = a_Parser.m_vStringVarBuf;
    m_FunDef = a_Parser.m_FunDef;
    m_PostOprtDef = a_Parser.m_PostOprtDef;
    m_InfixOprtDef = a_Parser.m_InfixOprtDef;
    m_OprtDef = a_Parser.m_OprtDef;
    m_sNameChars = a_Parser.m_sNameChars;
    m_sOprtChars = a_Parser.m_sOprtChars;
    m_sInfixOprtChars = a_Parser.m_sInfixOprtChars;
    m_aNameCharTable = a_Parser.m_aNameCharTable;
    m_aOprtCharTable = a_Parser.m_aOprtCharTable;
    m_aInfixOprtCharTable = a_Parser.m_aInfixOprtCharTable;
    m_FunFilter = a_Parser.m_FunFilter;
    m_pScripts = a_Parser.m_pScripts;
    m_pBodyReader.reset();
    ++m_iDefinitions;
    // The string buffer and the reader's position come from the copied parser.
    m_bReset = false;
}

void ParserBase::Init() {
    DefineCharacterSets();
    DefineFunctions();
    DefineConstants();
    DefineOperators();
}

void ParserBase::Reset() {
    ClearCompiled();
    m_pTokenReader->Restart();
    m_bReset = true;
}

void ParserBase::ClearCompiled() {
    m_iEvalRoutine = EvalRoutine::Compile;
    m_Program.Clear();
    m_vStringBuf.clear();
    m_vByteCode.Clear();
}

void ParserBase::RaiseError(EParseError a_iCode, int a_iPos, std::string_view a_sTok) const {
    throw ParserError(a_iCode, std::string(a_sTok), m_pTokenReader->Expression(), a_iPos);
}

const char* const* ParserBase::DefaultOperatorTable() {
    return c_aszDefaultOprt;
}

void ParserBase::SetExpression(std::string_view a_sExpr) {
    if (a_sExpr.size() > c_iMaxExpressionLength) {
        throw ParserError("expression too long", -1, std::string());
    }
    // Every text, the empty one included, gets one blank appended; error positions count it.
    // Setting the text restarts the reader.
    m_pTokenReader->SetExpression(a_sExpr, ' ');
    ClearCompiled();
    m_bReset = true;
}

const std::string& ParserBase::Expression() const {
    return m_pTokenReader->Expression();
}

void ParserBase::ClearExpression() {
    m_vByteCode.Clear();
    m_pCode = nullptr;
    m_pTokenReader->SetExpression(std::string());
    Reset();
}

const VariableTable& ParserBase::UsedVariables() {
    m_pTokenReader->SetAcceptUndefined(true);
    m_pTokenReader->SetRecordUsedVariables(true);
    try {
        Compile();
    } catch (...) {
        m_pTokenReader->SetAcceptUndefined(false);
        m_pTokenReader->SetRecordUsedVariables(false);
        m_iEvalRoutine = EvalRoutine::Compile;
        throw;
    }
    m_pTokenReader->SetAcceptUndefined(false);
    m_pTokenReader->SetRecordUsedVariables(false);
    m_iEvalRoutine = EvalRoutine::Compile;
    return m_pTokenReader->UsedVariables();
}

// After a successful compilation: a code that is one value entry and the end entry is answered
// without running the loop.
void ParserBase::SelectEvaluation() {
    if (!m_bUseBytecode) {
        return;
    }
    constexpr int V = ParserBytecode::m_iValWords;
    const bool bConstant = m_vByteCode.Size() >= static_cast<std::size_t>(V + 4) &&
                           m_pCode[1] == cmVAL && m_pCode[V + 2] == cmEND;
    if (bConstant) {
        // The value entry writes slot 1, however deep the folded steps went.
        m_vStackBuffer.resize(2, 0.0);
        m_iEvalRoutine = EvalRoutine::ReturnConstant;
    } else {
        PrepareExecution();
    }
}

void ParserBase::InstallBytecode(const ParserBytecode& a_Code) {
    const std::size_t iSize = a_Code.Size();
    MU_ASSERT(iSize >= 2 && a_Code.Code()[iSize - 1] == cmEND && a_Code.Code()[iSize - 2] == cmEND,
              "a_Code is sealed");
    m_vByteCode = a_Code;
    m_pCode = m_vByteCode.Code();
    m_bReset = false;
    PrepareExecution();
}

// Sizes the value stack and reserves the pre-decoded form, which the first execution builds.
void ParserBase::PrepareExecution() {
    m_vStackBuffer.resize(m_vByteCode.StackSize(), 0.0);
    m_Program.Prepare(m_vByteCode.Size(), m_vStackBuffer.size());
    m_iEvalRoutine = EvalRoutine::ExecuteBytecode;
}

// The first execution of a code builds its pre-decoded form (pointing into the value stack,
// which stays put until the next compilation); code without one is interpreted.
double ParserBase::BuildProgramOrInterpret() {
    if (!m_Program.IsBuilt() &&
        m_Program.Build(m_pCode, m_vByteCode.Size(), m_vStackBuffer.data(), m_vStackBuffer.size(),
                        m_vStringBuf, m_bMachineCode)) {
        if (m_Program.MachineCode() != nullptr) {
            m_iEvalRoutine = EvalRoutine::RunMachineCode;
            return m_Program.MachineCode()();
        }
        m_iEvalRoutine = EvalRoutine::RunProgram;
        return m_Program.Run(m_vStringBuf);
    }
    return InterpretBytecode();
}

void ParserBase::EvaluateMany(double* a_pVar, const double* a_pX, double* a_pY, int a_iCount) {
    int i = 0;
    // The first evaluations compile and build the fastest form; the rest run it directly.
    for (; i < a_iCount && (m_iEvalRoutine == EvalRoutine::Compile ||
                            m_iEvalRoutine == EvalRoutine::ExecuteBytecode);
         ++i) {
        *a_pVar = a_pX[i];
        a_pY[i] = Evaluate();
    }
    if (i == a_iCount) {
        return;
    }
    switch (m_iEvalRoutine) {
    case EvalRoutine::RunMachineCode: {
        const auto pRun = m_Program.MachineCode();
        for (; i < a_iCount; ++i) {
            *a_pVar = a_pX[i];
            a_pY[i] = pRun();
        }
        break;
    }
    case EvalRoutine::RunProgram:
        for (; i < a_iCount; ++i) {
            *a_pVar = a_pX[i];
            a_pY[i] = m_Program.Run(m_vStringBuf);
        }
        break;
    default:
        for (; i < a_iCount; ++i) {
            *a_pVar = a_pX[i];
            a_pY[i] = Evaluate();
        }
        break;
    }
}

// The program is built again, with or without machine code, by the next execution.
void ParserBase::SetMachineCodeEnabled(bool a_bEnabled) {
    m_bMachineCode = a_bEnabled;
    if (m_iEvalRoutine == EvalRoutine::RunMachineCode ||
        m_iEvalRoutine == EvalRoutine::RunProgram) {
        m_Program.Clear();
        m_iEvalRoutine = EvalRoutine::ExecuteBytecode;
    }
}

} // namespace mu
