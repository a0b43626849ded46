// Every built-in the table lets machine code call runs as machine code, and gives the bits of the
// run loop, the word walk and the compile pass, on single calls and on random expressions.
#include "BuiltinFunctionTable.h"
#include "Parser.h"
#include "TestParser.h"
#include "TestValues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace mu;

namespace {

using enginetest::kInf;
using enginetest::kNaN;

using enginetest::SameBits;

class StandardParser : public Parser {
public:
    using ParserBase::InterpretBytecode;
};

// The four paths on the parser's current expression, the variables reset before each.
void ExpectPathsAgree(StandardParser& a_Parser, double* a_pVars, const double (&a_afState)[3],
                      const std::string& a_sExpr) {
    double afResults[4];
    for (int iPath = 0; iPath < 4; ++iPath) {
        std::copy(a_afState, a_afState + 3, a_pVars);
        if (iPath == 0) {
            a_Parser.SetExpression(a_sExpr); // compiles
        }
        switch (iPath) {
        case 0:
        case 1: // builds the program and runs its machine code
            afResults[iPath] = a_Parser.Evaluate();
            break;
        case 2: // a line folded to one value has no program, and nothing to walk
            afResults[iPath] =
                a_Parser.Program().IsReady() ? a_Parser.Program().Run({}) : afResults[0];
            break;
        default:
            afResults[iPath] =
                a_Parser.Program().IsReady() ? a_Parser.InterpretBytecode() : afResults[0];
        }
    }
    for (int iPath = 0; iPath < 4; ++iPath) {
        ASSERT_TRUE(SameBits(afResults[1], afResults[iPath]))
            << a_sExpr << " path " << iPath << ": " << afResults[1] << " vs " << afResults[iPath]
            << " a=" << a_afState[0] << " b=" << a_afState[1] << " c=" << a_afState[2];
    }
}

const double kStates[][3] = {{1.5, -2.25, 3.5}, {-0.0, 0.0, 1},      {12, 18, 5},
                             {-27, 3, 2},       {kInf, -kInf, kNaN}, {1e300, 1e-310, -7},
                             {2.675, 2, 0.5},   {52, 5, -1},         {171, 170.5, 0}};

void ExpectEveryEligibleBuiltinRunsAsMachineCode(AngleUnit a_eUnit) {
    double afVars[3] = {};
    StandardParser parser;
    parser.SetAngleUnit(a_eUnit);
    parser.AddVariable("a", &afVars[0]);
    parser.AddVariable("b", &afVars[1]);
    parser.AddVariable("c", &afVars[2]);
    int iRows = 0;
    for (const BuiltinFunction& row : BuiltinFunctionTable()) {
        if (!row.m_bMachineCode) {
            continue;
        }
        ++iRows;
        // Array functions with one to three arguments, as many as they take.
        std::vector<std::string> vCalls;
        const std::string sName = row.m_szName;
        if (row.m_iArgc < 0) {
            vCalls = {sName + "(a)", sName + "(a,b)"};
            if (row.m_iMostArgs == 0 || row.m_iMostArgs >= 3) {
                vCalls.push_back(sName + "(a,b,c)");
            }
        } else {
            std::string sCall = sName + "(";
            for (int i = 0; i < row.m_iArgc; ++i) {
                sCall += (i > 0 ? "," : "") + std::string(1, static_cast<char>('a' + i));
            }
            vCalls = {sCall + ")", sCall + ")*a+" + sCall + ")"};
        }
        for (const std::string& sExpr : vCalls) {
            for (const auto& afState : kStates) {
                ExpectPathsAgree(parser, afVars, afState, sExpr);
            }
            EXPECT_NE(parser.Program().MachineCode(), nullptr) << sExpr;
        }
    }
    EXPECT_GT(iRows, 50);
    for (const char* szExpr : {"(a)!", "(a+b)!", "0x1F*a", "round(a,b)!"}) {
        for (const auto& afState : kStates) {
            ExpectPathsAgree(parser, afVars, afState, szExpr);
        }
        EXPECT_NE(parser.Program().MachineCode(), nullptr) << szExpr;
    }
}

TEST(BuiltinMachineCode, EveryEligibleBuiltinRunsAsMachineCode) {
    ExpectEveryEligibleBuiltinRunsAsMachineCode(AngleUnit::Radians);
}

// The trigonometric functions' variants in degrees are called directly too.
TEST(BuiltinMachineCode, EveryEligibleBuiltinRunsAsMachineCodeInDegrees) {
    ExpectEveryEligibleBuiltinRunsAsMachineCode(AngleUnit::Degrees);
}

// Random nestings of the machine-code built-ins, with operators between them.
TEST(BuiltinMachineCode, RandomExpressionsAgreeOnEveryPath) {
    std::vector<const BuiltinFunction*> vRows;
    for (const BuiltinFunction& row : BuiltinFunctionTable()) {
        if (row.m_bMachineCode) {
            vRows.push_back(&row);
        }
    }
    std::mt19937 random(41);
    const auto pick = [&random](std::size_t a_iCount) {
        return static_cast<std::size_t>(random() % a_iCount);
    };
    const std::function<std::string(int)> expression = [&](int a_iDepth) -> std::string {
        static const char* const aszOperands[] = {"a", "b", "c", "2", "0.5", "-3", "0x10"};
        static const char* const aszOperators[] = {"+", "-", "*", "/", "^", "<"};
        if (a_iDepth <= 0 || pick(3) == 0) {
            return aszOperands[pick(7)];
        }
        if (pick(4) == 0) {
            return expression(a_iDepth - 1) + aszOperators[pick(6)] + expression(a_iDepth - 1);
        }
        const BuiltinFunction& row = *vRows[pick(vRows.size())];
        const int iMost = row.m_iMostArgs > 0 ? row.m_iMostArgs : 3;
        const int iArgc = row.m_iArgc < 0 ? 1 + static_cast<int>(pick(iMost)) : row.m_iArgc;
        std::string sCall = std::string(row.m_szName) + "(";
        for (int i = 0; i < iArgc; ++i) {
            sCall += (i > 0 ? "," : "") + expression(a_iDepth - 1);
        }
        return sCall + ")";
    };
    double afVars[3] = {};
    StandardParser parser;
    parser.AddVariable("a", &afVars[0]);
    parser.AddVariable("b", &afVars[1]);
    parser.AddVariable("c", &afVars[2]);
    int iPrograms = 0;
    for (int i = 0; i < 1500; ++i) {
        const std::string sExpr = expression(1 + i % 4);
        for (const auto& afState : kStates) {
            ExpectPathsAgree(parser, afVars, afState, sExpr);
        }
        // Every line that did not fold to one value runs as machine code.
        if (parser.Program().IsReady()) {
            ++iPrograms;
            ASSERT_NE(parser.Program().MachineCode(), nullptr) << sExpr;
        }
    }
    EXPECT_GT(iPrograms, 800);
}

} // namespace
