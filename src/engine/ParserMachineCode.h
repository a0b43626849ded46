// ParserMachineCode: a ParserProgram as x86-64 machine code, one fixed template per instruction.
// Run through a function pointer, it saves the threaded loop's dispatch and its reads of the
// instruction fields; short programs spend most of their time there.
//
// The templates do exactly what the run loop does, operation for operation and operand for
// operand, in scalar double arithmetic: the accumulator is xmm0, every operand is read from its
// address, and "^" and the other built-in operators call the same functions the loop inlines.
// So the values, NaNs and signed zeros included, are the loop's.
//
// The generated code has no unwind information, so no exception may pass through it: a program
// gets machine code only when every function it calls is one of the engine's own numeric
// built-ins, which never throw. A program calling anything else (a caller's function, a string
// function, a date function, which builds texts) keeps the run loop, as does a program too large
// to be worth it or a system that refuses executable memory.
#ifndef MU_PARSER_MACHINE_CODE_H
#define MU_PARSER_MACHINE_CODE_H

#include "ParserExecutableMemory.h"

namespace mu {

class ParserProgram;

class ParserMachineCode {
public:
    using Function = double (*)();

    // Generates the code of a built program; false, with no function, where it does not.
    // The code reads the program's operands where the instructions point.
    bool Translate(const ParserProgram& a_Program);
    void Clear() { m_pFunction = nullptr; }
    // The program as a function, or null.
    Function Entry() const { return m_pFunction; }

private:
    ParserExecutableMemory m_Memory;
    Function m_pFunction = nullptr;
};

} // namespace mu

#endif
