#pragma once

#include <string>
#include <vector>

#include "common/document_change.h"
#include "common/undo_command.h"
#include "plc/plc_change.h"

namespace kelcc::core::plc {

class PlcDocument;

// One undo step of the PLC document: the primitive changes of one editing
// command (a placed element, a block paste, a compile) in the order made.
class PlcEditCommand final : public common::UndoCommand {
public:
    PlcEditCommand(PlcDocument& doc, std::string text, std::vector<PlcChange> changes,
                   bool compile);

    void redo() override;
    void undo() override;
    int mergeId() const noexcept override;
    bool mergeWith(const common::UndoCommand& next) override;
    std::size_t bytes() const noexcept override;

    const std::vector<PlcChange>& changes() const noexcept { return m_changes; }
    // What applying the changes touches, for the views.
    static common::DocumentChange scopeOf(const std::vector<PlcChange>& changes);

private:
    PlcDocument& m_doc;
    std::vector<PlcChange> m_changes;
    bool m_compile;
};

}  // namespace kelcc::core::plc
