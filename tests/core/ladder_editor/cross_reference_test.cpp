#include "ladder_editor/cross_reference.h"

#include <gtest/gtest.h>

namespace kelcc::core::ladder_editor {
namespace {

using Use = CrossReference::Use;
using Problem = CrossReference::Problem;

class CrossReferenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_grid.setElement(1, 1, 1, "X0000.1");
        m_grid.setElement(1, 2, 2, "R0001.0");  // read, never written
        m_grid.setElement(1, 8, 6, "Y0000.0");
        m_grid.setElement(2, 1, 1, "Y0000.0");
        m_grid.setElement(2, 5, 28, "DECB    0001 F0010 3 R0010");
        m_grid.setElement(3, 1, 2, "R0010.3");  // written by the DECB byte
        m_grid.setElement(3, 8, 6, "Y0000.0");  // a second coil
        m_grid.setElement(4, 1, 1, "Y0001.2");  // never written
        m_grid.setElement(4, 6, 25, "TMRB    T0001 DT0000 R0030.0");
        m_grid.setElement(5, 1, 1, "R0030.0");
        m_grid.setElement(5, 7, 32, "CALL    P0001");
        m_grid.setElement(6, 6, 29, "CODB    0001 0004 R0040 R0041 , 0 1 2 0");
    }
    const CrossReference::Entry* entry(const CrossReference& xref, const std::string& address) {
        for (const auto& e : xref.entries())
            if (e.address == address) return &e;
        return nullptr;
    }

    plc::LadderGrid m_grid;
};

TEST_F(CrossReferenceTest, EveryAddressSortedWithItsPlacesAndRoles) {
    const CrossReference xref(m_grid);
    std::vector<std::string> addresses;
    for (const auto& e : xref.entries())
        addresses.push_back(e.address);
    const std::vector<std::string> expected = {"DT0000",  "F0010",   "P0001",  "R0001.0", "R0010",
                                               "R0010.3", "R0030.0", "R0040",  "R0041",   "T0001",
                                               "X0000.1", "Y0000.0", "Y0001.2"};
    EXPECT_EQ(addresses, expected) << "constants and the CODB table are no addresses";

    const auto* y0 = entry(xref, "Y0000.0");
    ASSERT_NE(y0, nullptr);
    const std::vector<CrossReference::Place> places = {
        {1, 8, Use::Coil, "OUT"}, {2, 1, Use::Contact, "LD"}, {3, 8, Use::Coil, "OUT"}};
    EXPECT_EQ(y0->places, places);
    EXPECT_EQ(entry(xref, "R0001.0")->places[0].use, Use::ClosedContact);
    EXPECT_EQ(entry(xref, "R0030.0")->places[0],
              (CrossReference::Place{4, 6, Use::Written, "TMRB"}));
    EXPECT_EQ(entry(xref, "DT0000")->places[0].use, Use::Read);
    EXPECT_EQ(entry(xref, "P0001")->places[0].use, Use::Read) << "a call names its subprogram";
    EXPECT_EQ(entry(xref, "R0041")->places[0].use, Use::Written);

    ASSERT_EQ(xref.filtered("r00").size(), 6u);
    EXPECT_EQ(xref.filtered("Y0001")[0]->address, "Y0001.2");
    EXPECT_TRUE(xref.filtered("Z").empty());
}

TEST_F(CrossReferenceTest, WarnsOfSeveralCoilsAndOfOutputsReadButNeverWritten) {
    const CrossReference xref(m_grid);
    ASSERT_EQ(xref.warnings().size(), 4u);
    EXPECT_EQ(xref.warnings()[0].problem, Problem::NeverWritten);
    EXPECT_EQ(xref.warnings()[0].address, "R0001.0");
    EXPECT_EQ(xref.warnings()[1].address, "R0040") << "the CODB input byte";
    EXPECT_EQ(xref.warnings()[2].problem, Problem::SeveralCoils);
    EXPECT_EQ(xref.warnings()[2].address, "Y0000.0");
    EXPECT_EQ(xref.warnings()[2].places.size(), 2u);
    EXPECT_EQ(xref.warnings()[3].address, "Y0001.2");
    // X inputs, the DECB byte's bits and the timer's relay are fine.

    const std::string text = xref.text();
    EXPECT_NE(text.find("Y0000.0\t3\t8\tcoil\tOUT\n"), std::string::npos) << text;
    EXPECT_NE(text.find("warning\tseveral coils\tY0000.0\t1/8\t3/8\n"), std::string::npos);
    EXPECT_NE(text.find("warning\tnever written\tR0001.0\t1/2\n"), std::string::npos);
}

}  // namespace
}  // namespace kelcc::core::ladder_editor
