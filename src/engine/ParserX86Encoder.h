// ParserX86Encoder: the few x86-64 instructions the generated code is made of, written as bytes
// at a cursor. The caller reserves the room: nothing is checked here.
//
// Memory operands are reached through base registers: an operand's full address is loaded into
// one of a few scratch registers, and every later operand within 2 GiB of a loaded address is
// read relative to it. Variables, constants and the value stack tend to lie close together, so
// most operands then take a 1-byte displacement instead of a 10-byte address load of their own.
// Only xmm0-xmm7 and the first eight general registers are used, which need no register prefix.
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
    // Packed operations (the opcode after 66 0F); only the low double matters.
    enum EPacked : std::uint8_t { pkMOVE = 0x28, pkAND = 0x54, pkXOR = 0x57 };

    // The longest memory operand: an address load and a 4-byte displacement.
    static constexpr int c_iMaxOperandBytes = 10 + 8;

    explicit ParserX86Encoder(std::uint8_t* a_pCursor) : m_pCursor(a_pCursor) {}

    std::uint8_t* Cursor() const { return m_pCursor; }

    // xmm<a_iReg> op= *a_pAddr, or the load and the store in that direction.
    void Memory(ESse a_iOp, int a_iReg, const void* a_pAddr) {
        const Operand mem = Resolve(a_pAddr);
        Bytes3(0xF2, 0x0F, a_iOp);
        ModRM(a_iReg, mem);
    }
    // xmm<a_iReg> op= the 16 bytes at a_pAddr, which must be 16-byte aligned.
    void PackedMemory(EPacked a_iOp, int a_iReg, const void* a_pAddr) {
        const Operand mem = Resolve(a_pAddr);
        Bytes3(0x66, 0x0F, a_iOp);
        ModRM(a_iReg, mem);
    }
    // xmm<a_iDst> op= xmm<a_iSrc>.
    void Register(ESse a_iOp, int a_iDst, int a_iSrc) {
        Bytes3(0xF2, 0x0F, a_iOp);
        Byte(static_cast<std::uint8_t>(0xC0 | a_iDst << 3 | a_iSrc));
    }
    void Packed(EPacked a_iOp, int a_iDst, int a_iSrc) {
        Bytes3(0x66, 0x0F, a_iOp);
        Byte(static_cast<std::uint8_t>(0xC0 | a_iDst << 3 | a_iSrc));
    }

    // A call of a_iFun, whose integer arguments are already in place; afterwards no base
    // register holds anything.
    void Call(std::uintptr_t a_iFun) {
        LoadAddress(c_iRax, a_iFun);
        Byte(0xFF);
        Byte(0xD0); // call rax
        for (Base& base : m_aBases) {
            base.m_bValid = false;
        }
    }
    // The first two integer arguments of a call: an address in rdi, a count in esi.
    void ArgumentAddress(const void* a_pAddr) {
        LoadAddress(c_iRdi, reinterpret_cast<std::uintptr_t>(a_pAddr));
    }
    void ArgumentCount(std::uint32_t a_iCount) {
        Forget(c_iRsi);
        Byte(0xBE); // mov esi, imm32
        Word32(a_iCount);
    }
    // The first integer argument as a number: edi, which no operand is based on.
    void ArgumentCode(std::uint32_t a_iCode) {
        Byte(0xBF); // mov edi, imm32
        Word32(a_iCode);
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
    // General register numbers.
    static constexpr int c_iRax = 0;
    static constexpr int c_iRsi = 6;
    static constexpr int c_iRdi = 7;

    struct Base {
        int m_iReg;
        std::uintptr_t m_iAddr = 0;
        bool m_bValid = false;
        unsigned m_iUsed = 0; // when last used, for replacing the least recent
    };
    struct Operand {
        int m_iBase;
        std::int64_t m_iDisp;
    };

    // The base register and displacement for an address: the loaded address with the shortest
    // displacement, else a base loaded anew (the least recently used one).
    Operand Resolve(const void* a_pAddr) {
        const std::uintptr_t iAddr = reinterpret_cast<std::uintptr_t>(a_pAddr);
        Base* pBest = nullptr;
        int iBestSize = 5;
        for (Base& base : m_aBases) {
            if (!base.m_bValid) {
                continue;
            }
            const std::int64_t iDisp = static_cast<std::int64_t>(iAddr - base.m_iAddr);
            const int iSize = DispSize(iDisp);
            if (iSize < iBestSize) {
                pBest = &base;
                iBestSize = iSize;
            }
        }
        if (pBest == nullptr) {
            pBest = &m_aBases[0];
            for (Base& base : m_aBases) {
                if (!base.m_bValid || base.m_iUsed < pBest->m_iUsed) {
                    pBest = &base;
                    if (!base.m_bValid) {
                        break;
                    }
                }
            }
            LoadAddress(pBest->m_iReg, iAddr);
        }
        pBest->m_iUsed = ++m_iClock;
        return Operand{pBest->m_iReg, static_cast<std::int64_t>(iAddr - pBest->m_iAddr)};
    }
    // Bytes of a displacement from a base: 0, 1 or 4; 5 when out of reach.
    static int DispSize(std::int64_t a_iDisp) {
        if (a_iDisp == 0) {
            return 0;
        }
        if (a_iDisp >= -128 && a_iDisp <= 127) {
            return 1;
        }
        return a_iDisp >= INT32_MIN && a_iDisp <= INT32_MAX ? 4 : 5;
    }
    // movabs reg, address
    void LoadAddress(int a_iReg, std::uintptr_t a_iAddr) {
        Forget(a_iReg);
        Byte(0x48);
        Byte(static_cast<std::uint8_t>(0xB8 + a_iReg));
        Word64(a_iAddr);
        for (Base& base : m_aBases) {
            if (base.m_iReg == a_iReg) {
                base.m_iAddr = a_iAddr;
                base.m_bValid = true;
            }
        }
    }
    void Forget(int a_iReg) {
        for (Base& base : m_aBases) {
            if (base.m_iReg == a_iReg) {
                base.m_bValid = false;
            }
        }
    }
    // The ModRM byte (and displacement) of xmm<a_iReg> with [base + disp].
    void ModRM(int a_iReg, const Operand& a_Mem) {
        const int iSize = DispSize(a_Mem.m_iDisp);
        const int iMod = iSize == 0 ? 0x00 : iSize == 1 ? 0x40 : 0x80;
        Byte(static_cast<std::uint8_t>(iMod | a_iReg << 3 | a_Mem.m_iBase));
        if (iSize == 1) {
            Byte(static_cast<std::uint8_t>(static_cast<std::int8_t>(a_Mem.m_iDisp)));
        } else if (iSize == 4) {
            Word32(static_cast<std::uint32_t>(static_cast<std::int32_t>(a_Mem.m_iDisp)));
        }
    }

    void Byte(std::uint8_t a_iByte) { *m_pCursor++ = a_iByte; }
    void Bytes3(std::uint8_t a_i0, std::uint8_t a_i1, std::uint8_t a_i2) {
        Byte(a_i0);
        Byte(a_i1);
        Byte(a_i2);
    }
    void Bytes4(std::uint8_t a_i0, std::uint8_t a_i1, std::uint8_t a_i2, std::uint8_t a_i3) {
        Bytes3(a_i0, a_i1, a_i2);
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
    // rax, rcx, rdx and rsi: scratch registers of the calling convention; rbp and rsp would
    // need other encodings, and rdi carries array arguments.
    Base m_aBases[4] = {Base{0}, Base{1}, Base{2}, Base{6}};
    unsigned m_iClock = 0;
};

} // namespace mu

#endif
