#include "plc/ladder_image_model.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kelcc::core::plc {
namespace {

std::string bytes(std::initializer_list<unsigned> values) {
    std::string out;
    for (unsigned v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

TEST(LadderImageModel, CountsUseOneByteBelow255AndAnEscapeAbove) {
    const std::pair<std::uint32_t, std::string> cases[] = {
        {0, bytes({0x00})},
        {254, bytes({0xFE})},
        {255, bytes({0xFF, 0xFF, 0, 0, 0})},
        {300, bytes({0xFF, 0x2C, 0x01, 0, 0})},
        {0x12345678, bytes({0xFF, 0x78, 0x56, 0x34, 0x12})}};
    for (const auto& [value, encoded] : cases) {
        std::string out;
        LadderImageModel::appendCount(out, value);
        EXPECT_EQ(out, encoded) << value;
    }
}

LadderImageModel::Element element(std::uint8_t code) {
    LadderImageModel::Element e;
    e.code = code;
    return e;
}

TEST(LadderImageModel, FilingCreatesMissingNetworksRowsAndFillerColumns) {
    LadderImageModel image;
    image.file(2, 1, 3, element(5));
    // Networks 0 and 1 exist with no rows; row 0 of network 2 has no elements.
    EXPECT_EQ(image.serialize(), bytes({3, 0, 0, 2, 0, 4, 0, 0, 0, 0, 0, 0, 5, 0}));
}

TEST(LadderImageModel, FilingAtAnOccupiedColumnReplacesTheElement) {
    LadderImageModel image;
    image.file(0, 0, 3, element(5));
    image.file(0, 0, 1, element(6));   // replaces a filler
    image.file(0, 0, 3, element(11));  // replaces the line
    ASSERT_EQ(image.networks().size(), 1u);
    std::vector<int> codes;
    for (const auto& e : image.networks()[0].rows[0].elements)
        codes.push_back(e.code);
    EXPECT_EQ(codes, (std::vector<int>{0, 6, 0, 11}));
}

TEST(LadderImageModel, PayloadFollowsTheCode) {
    LadderImageModel image;
    LadderImageModel::Element contact = element(4);
    contact.flags = 0x02;
    contact.address = 0x11223344;
    contact.operands = {{1, 7}};  // ignored: codes 1-4 carry a word
    LadderImageModel::Element box = element(40);
    box.operands = {{1, 0x8A0B0C0D}, {2, 0xFFFFFFFF}};
    box.address = 0x55;  // ignored: function boxes carry operands
    LadderImageModel::Element end = element(13);
    end.address = 0x55;
    end.operands = {{2, 1}};  // ignored: codes 11-13 carry nothing
    image.file(0, 0, 0, contact);
    image.file(0, 0, 1, box);
    image.file(0, 0, 2, end);
    EXPECT_EQ(image.serialize(), bytes({1,  1,    3,                       // counts
                                        4,  0x02, 0x44, 0x33, 0x22, 0x11,  // address element
                                        40, 0,    2,    1,    0x0D, 0x0C, 0x0B, 0x8A,
                                        2,  0xFF, 0xFF, 0xFF, 0xFF, 13,   0}));
}

TEST(LadderImageModel, LongOperandListUsesTheEscapedCount) {
    LadderImageModel image;
    LadderImageModel::Element box = element(34);
    box.operands.assign(260, {2, 1});
    image.file(0, 0, 0, box);
    const std::string out = image.serialize();
    ASSERT_EQ(out.size(), 3u + 2u + 5u + 260u * 5u);
    EXPECT_EQ(out.substr(5, 5), bytes({0xFF, 0x04, 0x01, 0, 0}));
    EXPECT_EQ(out.substr(out.size() - 5), bytes({2, 1, 0, 0, 0}));
}

}  // namespace
}  // namespace kelcc::core::plc
