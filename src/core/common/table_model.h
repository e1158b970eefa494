#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelcc::core::common {

// What the user types a cell with. A number editor takes decimal digits
// only; both kinds stop at maxChars characters.
struct CellEditor {
    enum class Kind { None, Number, Text };
    Kind kind = Kind::None;
    int maxChars = 0;
    std::uint64_t maxValue = 0;  // number editors
    bool upperCase = false;      // address fields upper-case what is typed
    bool number = false;         // a text cell holding a number, aligned as one
    bool editable() const noexcept { return kind != Kind::None; }
};

// A message box a commit asks for; texts are the core's UTF-8 texts.
struct TableMessage {
    std::string text;
    std::string caption;
    bool operator==(const TableMessage&) const = default;
};

struct CellRef {
    int row = 0;
    int column = 0;
    bool operator==(const CellRef&) const = default;
};

// The outcome of the rule of a cell's column.
struct CommitResult {
    enum class Status {
        Stored,    // stored as typed (or unchanged)
        Adjusted,  // stored after the rule changed it (see messages)
        Refused,   // nothing was stored
    };
    Status status = Status::Stored;
    std::string shown;                   // the cell's text afterwards
    std::vector<TableMessage> messages;  // in the order the rules show them
    std::vector<CellRef> redraw;         // further cells the rule changed

    bool stored() const noexcept { return status != Status::Refused; }
};

// A table of a document as an editable grid: rows, columns, a fixed
// first column naming each row, and a rule per column applied when a cell
// is left. Texts are UTF-8; the models convert to the program file's code
// page and refuse what it cannot hold. Column 0 is the fixed column.
class TableModel {
public:
    // A strict commit (paste, import) refuses what an interactive one would
    // store after adjusting it with a message.
    enum class Mode { Interactive, Strict };

    virtual ~TableModel() = default;

    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;  // including the fixed column
    virtual std::string header(int column) const = 0;
    virtual std::string text(int row, int column) const = 0;
    virtual CellEditor editor(int row, int column) const = 0;
    virtual CommitResult commit(int row, int column, std::string_view text, Mode mode) = 0;
    // Whether a cell's editor may hold `text` while it is typed; the editor
    // refuses a key that would break it.
    virtual bool acceptsInput(int row, int column, std::string_view text) const {
        (void)row, (void)column, (void)text;
        return true;
    }
    // Cells drawn marked (a value that differs from its default).
    virtual bool marked(int row, int column) const {
        (void)row, (void)column;
        return false;
    }

    // The row whose fixed cell reads `key` (upper case, leading zeros as
    // shown), or -1.
    virtual int rowOf(std::string_view key) const;
    // Whether rowCount may change with an edit (the I/O comment list).
    virtual bool growing() const { return false; }
    // The order in which a paste or an import commits the cells of one row:
    // limits before the value they would otherwise pull into range.
    virtual std::vector<int> commitOrder() const;

    // Everything committed between begin and end is one undo step.
    virtual void beginGroup(const std::string& text) { (void)text; }
    virtual void endGroup() {}
    // The document changed under the model (undo, redo, another window):
    // indexes over it are rebuilt.
    virtual void refresh() {}
};

}  // namespace kelcc::core::common
