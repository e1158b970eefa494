#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plc/ladder_grid.h"

namespace kelcc::core::ladder_editor {

// Every address of a ladder with the places that use it, and what looks
// wrong about them: an address given to more than one coil, and an output
// or internal relay (Y, R) that is read but never written.
// Function operands count as written when they are the instruction's last
// address (its result: SET Y0000.2, TMRB T0001 DT0000 R0030.0); the others
// are read. A byte written (DECB ... R0010) writes all of its bits.
class CrossReference final {
public:
    enum class Use { Contact, ClosedContact, Coil, Read, Written };

    struct Place {
        int row = 0;
        int column = 0;
        Use use = Use::Contact;
        std::string instruction;  // the mnemonic: LD, LDI, OUT, SET, TMRB, ...

        bool operator==(const Place&) const = default;
    };
    struct Entry {
        std::string address;  // canonical, e.g. X0000.1, R0010, DT0001
        std::vector<Place> places;
    };
    enum class Problem { SeveralCoils, NeverWritten };
    struct Warning {
        Problem problem = Problem::SeveralCoils;
        std::string address;
        std::vector<Place> places;  // the coils, or the reads
    };

    explicit CrossReference(const plc::LadderGrid& grid);

    // Sorted by address; places in row and column order.
    const std::vector<Entry>& entries() const noexcept { return m_entries; }
    const std::vector<Warning>& warnings() const noexcept { return m_warnings; }
    // The entries whose address starts with `prefix` (letter case ignored).
    std::vector<const Entry*> filtered(std::string_view prefix) const;

    // "contact", "closed contact", "coil", "read", "written".
    static const char* useName(Use use) noexcept;
    // Tab-separated lines for the command-line tool:
    //   ADDRESS<TAB>ROW<TAB>COLUMN<TAB>USE<TAB>INSTRUCTION
    //   warning<TAB>several coils|never written<TAB>ADDRESS<TAB>ROW/COLUMN ...
    std::string text() const;

private:
    void collect(const plc::LadderGrid& grid);
    void findProblems();

    std::vector<Entry> m_entries;
    std::vector<Warning> m_warnings;
};

}  // namespace kelcc::core::ladder_editor
