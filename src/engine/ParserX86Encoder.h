// ParserX86Encoder: the few x86-64 instructions the generated code is made of, written as bytes
// at a cursor. Every memory operand is reached through rax, loaded with the operand's full
// address first, so the code may read and write anything wherever it lies. Only xmm0-xmm7 are
// used, which need no register prefix. The caller reserves the room: nothing is checked here.
#ifndef MU_PARSER_X86_ENCODER_H
#define MU_PARSER_X86_ENCODER_H

#include <cstdint>
#include <cstring>

namespace mu {

class ParserX86Encoder {
public:
    // Scalar double operations (the opcode after F2 0F).
    enum ESse : std::uint8_t {
        sseLOAD = 0x10,
        sseSTORE = 0x11,
        sseSQRT = 0x51,
        sseADD = 0x58,
        sseMUL = 0x59,
        sseSUB = 0x5C,
        sseDIV = 0x5E
    };
    // Packed bitwise operations (the opcode after 66 0F); only the low double matters.
    enum EPacked : std::uint8_t { pkMOVE = 0x28, pkAND = 0x54, pkXOR = 0x57 };

    explicit ParserX86Encoder(std::uint8_t* a_pCursor) : m_pCursor(a_pCursor) {}

    std::uint8_t* Cursor() const { return m_pCursor; }

    // xmm<a_iReg> op= *a_pAddr (or the load and the store, in that direction).
    void Memory(ESse a_iOp, int a_iReg, const void* a_pAddr) {
        AddressToRax(a_pAddr);
        Sse(a_iOp, a_iReg, 0x00, 0);
    }
    // xmm<a_iReg> op= [rax + a_iOffset], rax as the last AddressToRax left it.
    void RaxOffset(ESse a_iOp, int a_iReg, int a_iOffset) {
        if (a_iOffset == 0) {
            Sse(a_iOp, a_iReg, 0x00, 0);
        } else {
            Sse(a_iOp, a_iReg, 0x40, a_iOffset);
        }
    }
    // xmm<a_iDst> op= xmm<a_iSrc>.
    void Register(ESse a_iOp, int a_iDst, int a_iSrc) {
        Bytes4(0xF2, 0x0F, a_iOp, static_cast<std::uint8_t>(0xC0 | a_iDst << 3 | a_iSrc));
    }
    void Packed(EPacked a_iOp, int a_iDst, int a_iSrc) {
        Bytes4(0x66, 0x0F, a_iOp, static_cast<std::uint8_t>(0xC0 | a_iDst << 3 | a_iSrc));
    }
    // xmm<a_iReg> = the 64 bits a_iBits (through rax).
    void Bits(int a_iReg, std::uint64_t a_iBits) {
        Byte(0x48);
        Byte(0xB8);
        Word64(a_iBits);
        Bytes4(0x66, 0x48, 0x0F, 0x6E); // movq xmm, rax
        Byte(static_cast<std::uint8_t>(0xC0 | a_iReg << 3));
    }

    // movabs rax, address
    void AddressToRax(const void* a_pAddr) {
        Byte(0x48);
        Byte(0xB8);
        Word64(reinterpret_cast<std::uintptr_t>(a_pAddr));
    }
    // movabs rdi, address
    void AddressToRdi(const void* a_pAddr) {
        Byte(0x48);
        Byte(0xBF);
        Word64(reinterpret_cast<std::uintptr_t>(a_pAddr));
    }
    // mov edi, value / mov esi, value: the first and second integer arguments.
    void IntToEdi(std::uint32_t a_iValue) {
        Byte(0xBF);
        Word32(a_iValue);
    }
    void IntToEsi(std::uint32_t a_iValue) {
        Byte(0xBE);
        Word32(a_iValue);
    }
    // call through rax, which gets the function's address.
    void Call(std::uintptr_t a_iFun) {
        Byte(0x48);
        Byte(0xB8);
        Word64(a_iFun);
        Byte(0xFF);
        Byte(0xD0);
    }

    // endbr64: a valid target of an indirect call where the processor checks them, a no-op
    // elsewhere.
    void BranchTarget() { Bytes4(0xF3, 0x0F, 0x1E, 0xFA); }
    // sub rsp, 8 / add rsp, 8: the stack 16-byte aligned at every call inside.
    void AlignStack() { Bytes4(0x48, 0x83, 0xEC, 0x08); }
    void RestoreStack() { Bytes4(0x48, 0x83, 0xC4, 0x08); }
    void Return() { Byte(0xC3); }
    // int3, filling room that is never run.
    void Trap() { Byte(0xCC); }

private:
    // F2 0F op with the ModRM byte for [rax] (a_iMod 0) or [rax + disp8] (a_iMod 0x40).
    void Sse(ESse a_iOp, int a_iReg, std::uint8_t a_iMod, int a_iDisp) {
        Bytes4(0xF2, 0x0F, a_iOp, static_cast<std::uint8_t>(a_iMod | a_iReg << 3));
        if (a_iMod == 0x40) {
            Byte(static_cast<std::uint8_t>(static_cast<std::int8_t>(a_iDisp)));
        }
    }
    void Byte(std::uint8_t a_iByte) { *m_pCursor++ = a_iByte; }
    void Bytes4(std::uint8_t a_i0, std::uint8_t a_i1, std::uint8_t a_i2, std::uint8_t a_i3) {
        Byte(a_i0);
        Byte(a_i1);
        Byte(a_i2);
        Byte(a_i3);
    }
    void Word32(std::uint32_t a_iWord) {
        std::memcpy(m_pCursor, &a_iWord, 4);
        m_pCursor += 4;
    }
    void Word64(std::uint64_t a_iWord) {
        std::memcpy(m_pCursor, &a_iWord, 8);
        m_pCursor += 8;
    }

    std::uint8_t* m_pCursor;
};

} // namespace mu

#endif
