// The reader's lookup helpers: the order of the name tables, the filter in front of the function
// table, and the character-set tables, each checked where a fault would change what is read.
#include "TestParser.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using namespace mu;
using namespace enginetest;

namespace {

TEST(NameLess, OrdersLikeTheStandardStringComparison) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> length(0, 4);
    // Few distinct bytes, high ones included, so that common prefixes and ties are frequent.
    const char acBytes[] = {'a', 'b', 'm', '\x7f', '\x80', '\xff'};
    std::uniform_int_distribution<int> byte(0, sizeof(acBytes) - 1);
    const NameLess less;
    for (int i = 0; i < 20000; ++i) {
        std::string sLeft;
        std::string sRight;
        for (int n = length(random); n > 0; --n) {
            sLeft += acBytes[byte(random)];
        }
        for (int n = length(random); n > 0; --n) {
            sRight += acBytes[byte(random)];
        }
        ASSERT_EQ(less(sLeft, sRight), sLeft < sRight) << i;
    }
}

TEST(NameLess, KeepsTheShorterPrefixFirstInTables) {
    CallbackTable table;
    table.emplace("mm", ParserCallback(Sq, true));
    table.emplace("m", ParserCallback(Sq, true));
    table.emplace("\xe9", ParserCallback(Sq, true));
    auto it = table.begin();
    EXPECT_EQ((it++)->first, "m");
    EXPECT_EQ((it++)->first, "mm");
    EXPECT_EQ(it->first, "\xe9"); // bytes compare as unsigned
}

TEST(NameFilter, NeverRejectsANameItWasGiven) {
    NameFilter filter;
    EXPECT_FALSE(filter.MayContain("sin"));
    const std::string asNames[] = {"sin", "x", std::string(70, 'z')};
    for (const std::string& sName : asNames) {
        filter.Add(sName);
    }
    for (const std::string& sName : asNames) {
        EXPECT_TRUE(filter.MayContain(sName)) << sName;
    }
    EXPECT_FALSE(filter.MayContain("a"));    // no name starts with 'a'
    EXPECT_FALSE(filter.MayContain("sine")); // no name of four bytes
    EXPECT_FALSE(filter.MayContain(""));
    filter.Clear();
    EXPECT_FALSE(filter.MayContain("sin"));
}

TEST(NameFilter, FunctionsAreFoundAfterEveryKindOfTableChange) {
    EngineTestParser parser;
    parser.RemoveAllFunctions();
    parser.SetExpression("sq(3)");
    EXPECT_THROW(parser.Evaluate(), ParserError);
    parser.AddFunction("sq", Sq);
    EXPECT_EQ(parser.Evaluate(), 9);
    parser.AddFunction("q", Sq); // a name of another length and first byte
    parser.SetExpression("q(4)");
    EXPECT_EQ(parser.Evaluate(), 16);

    EngineTestParser copy(parser);
    EngineTestParser assigned;
    assigned = parser;
    for (EngineTestParser* pParser : {&copy, &assigned}) {
        pParser->SetExpression("q(5)+sq(1)");
        EXPECT_EQ(pParser->Evaluate(), 26);
    }
}

TEST(CharTable, FollowsEveryChangeOfTheCharacterSets) {
    double a = 2;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    parser.SetExpression("a+1");
    EXPECT_EQ(parser.Evaluate(), 3);
    parser.SetNameChars("a");
    parser.AddVariable("aa", &a);
    parser.SetExpression("aa*a");
    EXPECT_EQ(parser.Evaluate(), 4);
    parser.SetNameChars("b");
    parser.SetExpression("a");
    EXPECT_THROW(parser.Evaluate(), ParserError); // 'a' is no name byte any more
}

TEST(UsedVariables, ListsTheVariablesAfterOrdinaryEvaluations) {
    double a = 1, b = 2;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    parser.AddVariable("b", &b);
    parser.SetExpression("a*b+a");
    EXPECT_EQ(parser.Evaluate(), 3);
    EXPECT_EQ(parser.Evaluate(), 3);
    const VariableTable& used = parser.UsedVariables();
    ASSERT_EQ(used.size(), 2u);
    EXPECT_EQ(used.at("a"), &a);
    EXPECT_EQ(used.at("b"), &b);
    EXPECT_EQ(parser.Evaluate(), 3); // compiles again after UsedVariables
}

// Names taken out in between must not hide the names whose probe run passed them, values must
// stay where they were entered, and the survivors keep their order of entry, in a copy as well.
TEST(NameTable, FindsEveryNameAfterErasuresAndKeepsTheValuesInPlace) {
    NameTable<double> table;
    std::vector<const double*> vAddresses;
    for (int i = 0; i < 5000; ++i) {
        vAddresses.push_back(&table.emplace("v" + std::to_string(i), i));
    }
    for (int i = 0; i < 5000; i += 3) {
        EXPECT_EQ(table.erase("v" + std::to_string(i)), 1u);
    }
    EXPECT_EQ(table.erase("v0"), 0u);
    EXPECT_EQ(table.size(), 3333u);
    int iExpected = 1;
    for (const auto& entry : table) {
        ASSERT_EQ(entry.first, "v" + std::to_string(iExpected));
        EXPECT_EQ(&entry.second, vAddresses[static_cast<std::size_t>(iExpected)]);
        iExpected += iExpected % 3 == 1 ? 1 : 2;
    }
    for (int i = 0; i < 5000; ++i) {
        const auto it = table.find("v" + std::to_string(i));
        if (i % 3 == 0) {
            EXPECT_TRUE(it == table.end()) << i;
        } else {
            ASSERT_TRUE(it != table.end()) << i;
            EXPECT_EQ(it->second, i);
        }
    }
    // A copy has the same names in the same order, with values of its own.
    NameTable<double> copy;
    copy.emplace("w", 0);
    copy = table;
    auto itCopy = copy.begin();
    for (const auto& entry : table) {
        ASSERT_TRUE(itCopy != copy.end());
        EXPECT_EQ(itCopy->first, entry.first);
        EXPECT_EQ(itCopy->second, entry.second);
        EXPECT_NE(&itCopy->second, &entry.second);
        ++itCopy;
    }
    EXPECT_TRUE(itCopy == copy.end());
    EXPECT_EQ(copy.at("v4999"), 4999);
    table.emplace("v0", -1);
    EXPECT_EQ(table.at("v0"), -1);
    EXPECT_THROW(table.at("v3"), std::out_of_range);
}

// A miss is only a shortcut while the table is unchanged: entered after the table grew, after
// an erasure shortened the probe run, or after a copy replaced it, the name must still be found.
TEST(NameTable, EntersANameThroughAMissOnlyWhileTheTableIsUnchanged) {
    for (int iChange = 0; iChange < 4; ++iChange) {
        NameTable<int> table;
        for (int i = 0; i < 11; ++i) {
            table.emplace("v" + std::to_string(i), i);
        }
        NameTable<int> other = table;
        NameTable<int>::Miss miss;
        ASSERT_EQ(table.Lookup("fresh", miss), nullptr);
        if (iChange == 1) {
            for (int i = 11; i < 100; ++i) {
                table.emplace("v" + std::to_string(i), i);
            }
        } else if (iChange == 2) {
            for (int i = 0; i < 11; ++i) {
                table.erase("v" + std::to_string(i));
            }
        } else if (iChange == 3) {
            other.emplace("w", 0);
            table = other;
        }
        table.insert_or_assign("fresh", -1, miss);
        ASSERT_NE(table.Lookup("fresh"), nullptr) << iChange;
        EXPECT_EQ(*table.Lookup("fresh"), -1);
        EXPECT_EQ(table.emplace("fresh", 5), -1);
    }
}

// Found by its hash, a name is still compared in full: a difference at any byte of any length
// must tell two names apart (equal hashes are rare, so the tables' tests would not notice).
TEST(SameName, TellsNamesApartAtEveryByte) {
    for (std::size_t iLength = 1; iLength <= 12; ++iLength) {
        std::string sKey;
        for (std::size_t i = 0; i < iLength; ++i) {
            sKey += static_cast<char>('a' + i);
        }
        EXPECT_TRUE(SameName(sKey.data(), std::string(sKey)));
        for (std::size_t i = 0; i < iLength; ++i) {
            std::string sName = sKey;
            sName[i] = 'Z';
            EXPECT_FALSE(SameName(sKey.data(), sName)) << sName;
        }
    }
}

} // namespace
