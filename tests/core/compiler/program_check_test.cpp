#include "compiler/program_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "il_test_program.h"

namespace kelcc::core::compiler {
namespace {

using test::IlTestProgram;
using Lines = std::vector<std::string>;

std::string L(std::string_view mnemonic, std::string_view operand = {}) {
    return IlTestProgram::line(mnemonic, operand);
}

const std::string kLd = L("LD", "X0000.0");
const std::string kEnd1 = L("END1");
const std::string kEnd2 = L("END2");

// A valid program holding `count` of one counted instruction; apart from
// the count nothing in it is wrong.
struct LimitCase {
    const char* name;
    int error;
    std::function<Lines(int)> program;
};

void PrintTo(const LimitCase& c, std::ostream* os) {
    *os << c.name;
}

Lines conditioned(int count, const std::string& box) {
    Lines lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back(kLd);
        lines.push_back(box);
    }
    return lines;
}

Lines plus(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

int check(const Lines& lines) {
    std::vector<plc::ProgramWarning> warnings;
    return ProgramCheck::run(IlTestProgram::store(lines), warnings);
}

class ProgramCheckLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(ProgramCheckLimit, HundredPassAndOneMoreFailsWithItsCode) {
    const LimitCase& c = GetParam();
    EXPECT_EQ(check(c.program(ProgramCheck::kMaxCounted)), 0);
    EXPECT_EQ(check(c.program(ProgramCheck::kMaxCounted + 1)), c.error);
}

INSTANTIATE_TEST_SUITE_P(
    Instructions, ProgramCheckLimit,
    ::testing::Values(
        LimitCase{"Codb", 510,
                  [](int n) {
                      return plus(conditioned(n, L("CODB", "1 1 D0000 D0001 , 1")), {kEnd1, kEnd2});
                  }},
        LimitCase{"Call", 511,
                  [](int n) {
                      return plus(conditioned(n, L("CALL", "P0001")),
                                  {kEnd1, kEnd2, L("SP", "P0001"), L("SPE")});
                  }},
        LimitCase{
            "Jmpb", 512,
            [](int n) {
                return plus(conditioned(n, L("JMPB", "L0001")), {L("LBL", "L0001"), kEnd1, kEnd2});
            }},
        LimitCase{"Sp", 513,
                  [](int n) {
                      Lines lines = {kEnd1, kEnd2};
                      for (int i = 1; i <= n; ++i) {
                          lines.push_back(L("SP", "P" + std::to_string(1000 + i)));
                          lines.push_back(L("SPE"));
                      }
                      return lines;
                  }},
        LimitCase{"Lbl", 514,
                  [](int n) {
                      Lines lines;
                      for (int i = 1; i <= n; ++i)
                          lines.push_back(L("LBL", "L" + std::to_string(1000 + i)));
                      return plus(lines, {kEnd1, kEnd2});
                  }},
        LimitCase{"Alt", 515,
                  [](int n) {
                      return plus(conditioned(n, L("ALT", "Y0000.1")), {kEnd1, kEnd2});
                  }},
        LimitCase{"Difu", 516,
                  [](int n) {
                      return plus(conditioned(n, L("DIFU", "Y0000.1")), {kEnd1, kEnd2});
                  }},
        LimitCase{"Difd", 517,
                  [](int n) {
                      return plus(conditioned(n, L("DIFD", "Y0000.1")), {kEnd1, kEnd2});
                  }}),
    [](const auto& info) { return std::string(info.param.name); });

// The limit is checked before each step, so it stops the check ahead of a
// later structural error.
TEST(ProgramCheck, LimitIsReportedBeforeALaterStructureError) {
    EXPECT_EQ(check(plus(conditioned(101, L("ALT", "Y0000.1")), {kEnd2})), 515);
}

TEST(ProgramCheck, MissingEnd2WinsOverMissingEnd1) {
    EXPECT_EQ(check({kLd, L("OUT", "Y0000.0")}), 408);
    EXPECT_EQ(check({kEnd2}), 407);
}

}  // namespace
}  // namespace kelcc::core::compiler
