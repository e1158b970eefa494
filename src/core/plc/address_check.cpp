#include "plc/address_check.h"

#include "plc/plc_address.h"

namespace kelcc::core::plc {
namespace {

using enum AddressCheckResult;

CheckedOperand Fail(AddressCheckResult result) {
    return CheckedOperand{result, {}};
}

bool LetterAccepted(std::string_view text, AddressClass addressClass) {
    const std::string_view letters = LettersOf(addressClass);
    if (addressClass == AddressClass::DCOnly || addressClass == AddressClass::DTOnly) {
        return text.starts_with(letters);
    }
    return !letters.empty() && letters.find(text[0]) != std::string_view::npos;
}

}  // namespace

std::string_view LettersOf(AddressClass addressClass) noexcept {
    switch (addressClass) {
        case AddressClass::BitIn:
            return "XYFGRKA";
        case AddressClass::BitOut:
            return "YGRKA";
        case AddressClass::BitFlag:
            return "YGRK";
        case AddressClass::ByteIn:
            return "XYFGRKDA";
        case AddressClass::ByteSource:
            return "XYFGRKDACT";
        case AddressClass::ByteDest:
            return "YGRKDACT";
        case AddressClass::MoveIn:
            return "XYFGRKAD";
        case AddressClass::MoveOut:
            return "YGDRKA";
        case AddressClass::DCOnly:
            return "DC";
        case AddressClass::DTOnly:
            return "DT";
        case AddressClass::DOnly:
            return "D";
        case AddressClass::ConstOnly:
            return "";
        case AddressClass::FindByte:
            return "CTD";
        case AddressClass::LabelL:
            return "L";
        case AddressClass::SubP:
            return "P";
    }
    return "";
}

CheckedOperand AddressCheck(std::string_view text, AddressClass addressClass, bool byteOperand,
                            bool dcDtAllowed) {
    if (text.empty()) return Fail(CheckEmpty);
    if (!LetterAccepted(text, addressClass)) return Fail(CheckBadType);

    // Only digits may stand between the letter(s) and the point.
    const AddressParts parts = SplitAddress(text);
    const auto number = DecimalValue(parts.number);
    if (!number) return Fail(CheckBadType);

    // A huge number saturates and so fails here like any other too-large one.
    if (*number >= AddressCount(parts.letters)) return Fail(CheckBadRange);
    const auto value = static_cast<std::uint32_t>(*number);

    if (byteOperand) {
        // The bit part is judged before the DC/DT rule: "DC5.1" where DC is
        // not allowed is a range error, not a type error.
        const auto bit = ReadBitNumber(parts.hasPoint, parts.bitPart);
        if (!bit || *bit != 0) return Fail(CheckBadRange);
        if (text[0] == 'D' && !IsDecimalDigit(text[1])) {
            if (!dcDtAllowed || (text[1] != 'C' && text[1] != 'T')) return Fail(CheckBadType);
        }
        return CheckedOperand{CheckOk, FormatByteAddress(parts.letters, value)};
    }

    const auto bit = ReadBitNumber(parts.hasPoint, parts.bitPart);
    if (!bit) return Fail(CheckBadBit);
    return CheckedOperand{CheckOk, FormatBitAddress(parts.letters, value, *bit)};
}

std::uint64_t ConstantLimit(int lengthBytes) noexcept {
    if (lengthBytes < 1 || lengthBytes > 4) return 0;
    return (std::uint64_t{1} << (8 * lengthBytes - 1)) - 1;
}

CheckedOperand OperandCheck(std::string_view text, AddressClass addressClass, int lengthBytes,
                            bool byteOperand, bool dcDtAllowed) {
    if (!text.empty() && !IsDecimalDigit(text[0])) {
        return AddressCheck(text, addressClass, byteOperand, dcDtAllowed);
    }
    if (text.empty() || text.size() > 10) return Fail(CheckBadValue);
    const auto value = DecimalValue(text);
    if (!value || lengthBytes < 1 || lengthBytes > 4 || *value > ConstantLimit(lengthBytes)) {
        return Fail(CheckBadValue);
    }
    return CheckedOperand{CheckOk, std::to_string(*value)};
}

}  // namespace kelcc::core::plc
