// ParserBase: the engine object a caller holds. It owns the definition tables, the character
// sets, the token reader, the bytecode and the buffers of one compiled expression.
//
// Evaluate runs one of three routines: Compile (after construction and after every change; it
// returns the value it computed while compiling), then ReturnConstant when the whole expression
// folded to one value, else ExecuteBytecode, which runs the pre-decoded ParserProgram built from
// the sealed code (or, for code that has none, walks the words). Once the program is built, a
// plain evaluation calls its machine code, or its run loop where it has none. A derived parser
// supplies the character sets, value readers, functions and operators through the Define* hooks.
// Calls of a script's own functions (ScriptFunctionTable) are expanded into their bodies while
// the expression compiles, so every routine runs them as the bodies written out.
#ifndef MU_PARSER_BASE_H
#define MU_PARSER_BASE_H

#include "ParserBytecode.h"
#include "ParserCallback.h"
#include "ParserDef.h"
#include "ParserError.h"
#include "ParserLookup.h"
#include "ParserNameTable.h"
#include "ParserOperand.h"
#include "ParserProgram.h"
#include "ParserStack.h"
#include "ParserToken.h"
#include "ParserTokenReader.h"

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mu {

class ScriptFunction;
class ScriptFunctionTable;

class ParserBase {
    friend class ParserTokenReader;
    friend class ScriptFunctionTable;

public:
    using token_type = ParserToken<double, std::string>;
    using stack_type = ParserStack<token_type>;
    using operand_stack = ParserOperandStack;

    ParserBase();
    ParserBase(const ParserBase& a_Parser);
    ParserBase& operator=(const ParserBase& a_Parser);
    virtual ~ParserBase();

    // Runs the hooks in order: character sets, functions, constants, operators.
    void Init();

    // Expression and evaluation.
    void SetExpression(std::string_view a_sExpr);
    const std::string& Expression() const;
    // Inline, so that a caller evaluating in a loop pays one call into the engine.
    // The machine code is tested first on its own: a switch would be compiled into a search
    // that costs it two more comparisons.
    double Evaluate() {
        if (m_iEvalRoutine == EvalRoutine::RunMachineCode) [[likely]] {
            return m_Program.MachineCode()();
        }
        switch (m_iEvalRoutine) {
        case EvalRoutine::RunProgram:
            return m_Program.Run(m_vStringBuf);
        case EvalRoutine::ExecuteBytecode:
            return ExecuteBytecode();
        case EvalRoutine::ReturnConstant:
            return ReturnConstant();
        default:
            return Compile();
        }
    }
    void ClearExpression();
    // Evaluates the expression a_iCount times, with a_pX[i] written into *a_pVar before the i-th
    // evaluation, into a_pY[i]; the first one compiles when needed. *a_pVar keeps the last value.
    void EvaluateMany(double* a_pVar, const double* a_pX, double* a_pY, int a_iCount);
    // Every name the expression reads as a variable; undefined names are accepted (with a null
    // address unless a variable factory creates them).
    const VariableTable& UsedVariables();

    // Definitions; each failed definition changes nothing, each successful one forces a
    // recompilation.
    void AddFunction(const std::string& a_sName, Fun0 a_pFun, bool a_bFoldable = true);
    void AddFunction(const std::string& a_sName, Fun1 a_pFun, bool a_bFoldable = true);
    void AddFunction(const std::string& a_sName, Fun2 a_pFun, bool a_bFoldable = true);
    void AddFunction(const std::string& a_sName, Fun3 a_pFun, bool a_bFoldable = true);
    void AddFunction(const std::string& a_sName, Fun4 a_pFun, bool a_bFoldable = true);
    void AddFunction(const std::string& a_sName, Fun5 a_pFun, bool a_bFoldable = true);
    void AddFunction(const std::string& a_sName, FunN a_pFun, bool a_bFoldable = true);
    void AddFunction(const std::string& a_sName, StrFun0 a_pFun, bool a_bFoldable = true);
    void AddFunction(const std::string& a_sName, StrFun1 a_pFun, bool a_bFoldable = true);
    void AddFunction(const std::string& a_sName, StrFun2 a_pFun, bool a_bFoldable = true);
    // From now on the function a_sName is read as a function only where the next non-blank
    // character is "("; anywhere else its name is an ordinary name. No function of that name:
    // nothing changes.
    void SetCallOnly(const std::string& a_sName);
    // A call of a_sName, a function of any number of arguments, may pass at most a_iMost; more
    // is an error at compile time. No function of that name: nothing changes.
    void SetMostArgs(const std::string& a_sName, int a_iMost);
    void AddOperator(const std::string& a_sName, Fun2 a_pFun, int a_iPrec, bool a_bFoldable = true);
    void AddInfixOperator(const std::string& a_sName, Fun1 a_pFun, int a_iPrec,
                          bool a_bFoldable = true);
    void AddPostfixOperator(const std::string& a_sName, Fun1 a_pFun, bool a_bFoldable = true);
    void AddVariable(const std::string& a_sName, double* a_pVar);
    void AddConstant(const std::string& a_sName, double a_fVal);
    void AddStringConstant(const std::string& a_sName, const std::string& a_sVal);

    void RemoveVariable(const std::string& a_sName);
    void RemoveAllVariables();
    void RemoveAllFunctions();
    void RemoveAllOperators();
    void RemoveAllInfixOperators();
    void RemoveAllPostfixOperators();
    void RemoveAllConstants();

    void SetNameChars(const char* a_szCharset);
    void SetOperatorChars(const char* a_szCharset);
    void SetInfixOperatorChars(const char* a_szCharset);
    const std::string& NameChars() const;
    const std::string& OperatorChars() const;
    const std::string& InfixOperatorChars() const;

    // a_szFirstBytes: the bytes a literal the reader accepts may start with (null: any byte).
    void AddValueReader(ValueReader a_pReader, const char* a_szFirstBytes = nullptr);
    void SetVariableFactory(VariableFactory a_pFactory, void* a_pUserData = nullptr);
    // The functions a script defined (null: none). A defined name followed by "(" is a call,
    // which compiles as the function's body with the arguments in place of its parameters. The
    // table is read only while an expression compiles, so it must live as long as the parser may
    // compile with it; a compiled expression keeps the bodies it was compiled with. A call with
    // the wrong number of arguments is an error at its ")".
    void SetScriptFunctions(const ScriptFunctionTable* a_pTable);
    const ScriptFunctionTable* ScriptFunctions() const { return m_pScripts; }
    void SetSeparator(char a_cSep);
    char Separator() const;

    // Switches.
    void SetDefaultOperatorsEnabled(bool a_bEnabled);
    bool DefaultOperatorsEnabled() const { return m_bDefaultOprt; }
    void SetFolding(bool a_bFolding);
    void SetBytecodeEnabled(bool a_bEnabled);
    // Whether a built program may run as machine code (on by default). Off, every evaluation
    // takes the program's run loop: the reference the machine code is tested against.
    void SetMachineCodeEnabled(bool a_bEnabled);

    const VariableTable& Variables() const { return m_VarDef; }
    const ValueTable& Constants() const { return m_ConstDef; }
    const CallbackTable& Functions() const { return m_FunDef; }
    // "<=" ... ")" indexed by cmLE..cmCLOSE, null-terminated.
    static const char* const* DefaultOperatorTable();
    // ORDER CMD: the same table, for use at compile time. The reader takes the first entry that
    // matches, so "<=" comes before "<" and "==" before "=".
    static constexpr const char* c_aszDefaultOprt[] = {"<=", ">=",  "!=", "==", "<", ">",
                                                       "+",  "-",   "*",  "/",  "^", "and",
                                                       "or", "xor", "=",  "(",  ")", nullptr};
    static_assert(sizeof(c_aszDefaultOprt) / sizeof(c_aszDefaultOprt[0]) == cmCLOSE + 2);

    int OperatorPrecedence(const token_type& a_Tok) const;
    const ParserBytecode& Bytecode() const { return m_vByteCode; }
    // The pre-decoded form ExecuteBytecode runs; not ready when the code has none.
    const ParserProgram& Program() const { return m_Program; }

protected:
    virtual void DefineCharacterSets() = 0;
    virtual void DefineFunctions() = 0;
    virtual void DefineConstants() = 0;
    virtual void DefineOperators() = 0;

    // Throws the coded error with the reader's current expression.
    [[noreturn]] void RaiseError(EParseError a_iCode, int a_iPos,
                                 std::string_view a_sTok = {}) const;

    // Makes a_Code, which must be sealed, the compiled expression run by later evaluations.
    void InstallBytecode(const ParserBytecode& a_Code);
    // Runs the sealed code by walking its words, entry by entry: what ExecuteBytecode does for
    // code without a pre-decoded form, and the reference that form is tested against.
    double InterpretBytecode();

private:
    // The routine Evaluate runs. RunMachineCode and RunProgram: the pre-decoded form is built
    // and ready, and a plain evaluation goes straight to its machine code or its run loop.
    enum class EvalRoutine { RunMachineCode, RunProgram, ExecuteBytecode, ReturnConstant, Compile };

    void Assign(const ParserBase& a_Parser);
    void Reset();
    // Reset without restarting the reader.
    void ClearCompiled();
    // After every change of a definition table, character set or switch: tells the reader to
    // index the tables again, and forces a recompilation.
    void DefinitionsChanged();
    void RegisterCallback(const std::string& a_sName, const ParserCallback& a_Callback,
                          CallbackTable& a_Storage, const std::string& a_sCharset);
    void ValidateName(const std::string& a_sName, const std::string& a_sCharset) const;

    // The three evaluation routines.
    double Compile();
    double ReturnConstant() const { return ParserBytecode::ReadDouble(m_pCode + 2); }
    double ExecuteBytecode() {
        if (m_Program.MachineCode() != nullptr) {
            return m_Program.MachineCode()();
        }
        return m_Program.IsReady() ? m_Program.Run(m_vStringBuf) : BuildProgramOrInterpret();
    }
    // The first run builds the program and runs it (from then on Evaluate goes straight to it);
    // code the program does not cover is interpreted, then and at every later run.
    double BuildProgramOrInterpret();
    void SelectEvaluation();
    void PrepareExecution();

    // Steps of the compile pass (ParserCompiler.cpp, ParserCompilerCalls.cpp). The arguments of
    // a call are the top tokens of the value stack, in source order.
    using ArgList = ParserOperandRange;
    void ApplyRemaining(stack_type& a_stOpt, operand_stack& a_stVal);
    void ApplyBinaryOperator(stack_type& a_stOpt, operand_stack& a_stVal);
    void ApplyAssignment(ParserOperand a_Left, ParserOperand a_Right);
    void ApplyFunction(stack_type& a_stOpt, operand_stack& a_stVal, int a_iArgCount);
    // Both return the call's value and say whether it may differ at run time.
    double CallNumericFunction(const token_type& a_FunTok, ArgList a_Args, bool& a_bVolatile);
    double CallStringFunction(const token_type& a_FunTok, ArgList a_Args, bool& a_bVolatile);
    double InvokeNumeric(const token_type& a_FunTok, ArgList a_Args);
    double InvokeString(const token_type& a_FunTok, ArgList a_Args);
    void CloseBracket(stack_type& a_stOpt, operand_stack& a_stVal);
    bool ReserveStacks();
    // Where the token being compiled ends in the expression, for the errors it causes.
    int TokenEnd() const { return m_iReplayPos < 0 ? m_pTokenReader->Position() : m_iReplayPos; }

    // Calls of script functions (ParserScriptCalls.cpp). While a table is set, the compile pass
    // takes the waiting tokens before the reader's, and every call it meets is replaced by
    // waiting tokens: "(", the body's tokens with "(" argument ")" for each parameter, ")".
    struct PendingToken {
        token_type m_Tok;
        const ScriptFunction* m_pCall; // the definition a function token calls, or null
        int m_iEnd;                    // where the token ends in the expression, for errors
    };
    void StartScriptPass();
    // The next waiting token; a call among them is noted for ExpandedCall.
    token_type TakePending();
    // Whether a_Tok, just taken from the waiting tokens or the reader, was a call, now expanded.
    // A body being checked compiles its calls as calls of a function of as many arguments,
    // which checks their count where an expanded call would.
    bool ExpandedCall(const token_type& a_Tok, bool a_bPending) {
        const ScriptFunction* pCall = m_pPendingCall;
        if (!a_bPending) {
            m_iReplayPos = -1;
            pCall = m_pTokenReader->TakeScriptCall();
        }
        if (pCall == nullptr || m_bCheckingBody) {
            return false;
        }
        ExpandCall(a_Tok, *pCall);
        return true;
    }
    PendingToken NextRawToken();
    void ExpandCall(const token_type& a_Name, const ScriptFunction& a_Def);
    void ReadBody(const ScriptFunction& a_Def, int a_iCallEnd);
    void Queue(const token_type& a_Tok, const ScriptFunction* a_pCall, int a_iEnd);
    // A string token's text viewed where it stays put until the next pass.
    void KeepText(token_type& a_Tok);
    // The pass the table runs on a new definition's body: a_vParams are operands, calls reach
    // only the first a_iVisible definitions and never a_sName, assignments are refused.
    void CheckScriptBody(const ScriptFunctionTable& a_Table, std::size_t a_iVisible,
                         std::string_view a_sName, const std::vector<std::string>& a_vParams,
                         std::string_view a_sBody);

    EvalRoutine m_iEvalRoutine;
    const ParserBytecode::word_type* m_pCode;
    ParserBytecode m_vByteCode;
    std::vector<std::string> m_vStringBuf;
    std::vector<std::string> m_vStringVarBuf;
    std::unique_ptr<ParserTokenReader> m_pTokenReader;
    CallbackTable m_FunDef;
    CallbackTable m_PostOprtDef;
    CallbackTable m_InfixOprtDef;
    CallbackTable m_OprtDef;
    ValueTable m_ConstDef;
    StringIndexTable m_StrVarDef;
    VariableTable m_VarDef;
    bool m_bFolding;
    bool m_bUseBytecode;
    bool m_bDefaultOprt;
    bool m_bMachineCode = true;
    std::string m_sNameChars;
    std::string m_sOprtChars;
    std::string m_sInfixOprtChars;
    std::vector<double> m_vStackBuffer;
    // For the reader: the three character sets as tables, and which names may be functions.
    CharTable m_aNameCharTable{};
    CharTable m_aOprtCharTable{};
    CharTable m_aInfixOprtCharTable{};
    NameFilter m_FunFilter;
    // Counts the changes of definitions; the reader rebuilds its index when it differs.
    std::uint64_t m_iDefinitions = 0;
    // Working storage of the compile pass, kept between passes so that compiling again reuses it
    // instead of allocating: the operator and value stacks (an opening bracket on the operator
    // stack counts its arguments).
    stack_type m_stOpt;
    operand_stack m_stVal;
    // Nothing was compiled, installed or copied in since the last Reset or SetExpression: the
    // reader is at the start and no code is kept, so the compile pass need not reset again.
    bool m_bReset = false;
    ParserProgram m_Program;

    // Script functions: the table, a reader of bodies (made when first needed, dropped when the
    // reader settings it copies change), the tokens waiting to be compiled (next one last),
    // working storage of one expansion, texts of strings kept for the pass, the position of the
    // replayed token being compiled (-1: the reader's token), the count of tokens expanded in
    // this pass, and whether the pass checks a body (which may not assign).
    const ScriptFunctionTable* m_pScripts = nullptr;
    std::unique_ptr<ParserTokenReader> m_pBodyReader;
    std::vector<PendingToken> m_vPending;
    std::vector<PendingToken> m_vArgTokens;
    std::vector<std::size_t> m_viArgStart;
    struct BodyToken {
        token_type m_Tok;
        const ScriptFunction* m_pCall; // as in PendingToken
        int m_iParam;                  // the parameter the token names, or -1
    };
    std::vector<BodyToken> m_vBodyTokens;
    std::deque<std::string> m_dqPassTexts;
    int m_iReplayPos = -1;
    const ScriptFunction* m_pPendingCall = nullptr;
    std::size_t m_iExpanded = 0;
    bool m_bCheckingBody = false;
};

} // namespace mu

#endif
