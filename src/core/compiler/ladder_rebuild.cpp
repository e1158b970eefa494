#include "ladder_rebuild.h"

#include <array>
#include <memory>
#include <new>
#include <string>

#include "compiler/rebuild_block.h"
#include "plc/instruction_code.h"
#include "plc/ladder_grid.h"

namespace kelcc::core::compiler {

using plc::LadderCell;
using plc::LadderGrid;

namespace {

using plc::InstructionCode;

constexpr int kErrorNoFreeBlock = 300;
constexpr int kErrorIllegalInstruction = 301;
constexpr int kErrorUnfinishedNetwork = 302;
constexpr int kErrorNoFreeBlockForEnd = 303;
constexpr int kErrorBlocksLeft = 304;
constexpr int kErrorOutputTooWide = 350;
constexpr int kErrorFunctionTooWide = 351;
constexpr int kErrorRowTooWide = 352;
constexpr int kErrorTooManyRows = 353;
constexpr int kErrorMemory = 500;

// Contacts in a row occupy columns 1-7; column 8 holds only coils.
constexpr int kMaxContactWidth = 7;
// Contacts and coils keep only the operand: the IL text after the padded
// mnemonic field.
constexpr std::size_t kMnemonicField = 8;

InstructionCode codeOf(std::uint32_t opcode) noexcept {
    return opcode > 0xFF ? InstructionCode::Unknown : static_cast<InstructionCode>(opcode);
}

std::string operandOf(const std::string& ilText) {
    return ilText.size() > kMnemonicField ? ilText.substr(kMnemonicField) : std::string();
}

// Column of an output element, 0 for instructions that are no output (the
// boxes of column 1 open their own network instead).
int targetColumn(InstructionCode code) noexcept {
    const int column = plc::PlacementColumnOf(code);
    return column == 1 ? 0 : column;
}

bool isStructure(InstructionCode code) noexcept {
    return code == InstructionCode::END1 || code == InstructionCode::END2 ||
           code == InstructionCode::LBL || code == InstructionCode::SP ||
           code == InstructionCode::SPE;
}

class Rebuilder {
public:
    explicit Rebuilder(const plc::IlStore& il) : m_il(il) {}

    StepError run(const std::vector<plc::NetworkSteps>& networks) {
        for (const plc::NetworkSteps& network : networks) {
            // A table that carries the end mark stops there.
            if (network.firstStep < 0) break;
            if (network.lastStep < network.firstStep ||
                network.lastStep >= static_cast<int>(m_il.size()))
                return {network.firstStep, kErrorUnfinishedNetwork};
            const StepError error = drawNetwork(network);
            if (!error.ok()) return error;
        }
        return {};
    }

    LadderGrid& grid() { return m_grid; }
    std::vector<plc::NetworkRows>& rows() { return m_rows; }

private:
    StepError drawNetwork(const plc::NetworkSteps& network) {
        resetPool();
        m_outputs = 0;
        for (int step = network.firstStep; step <= network.lastStep; ++step) {
            const int code = drawStep(m_il[static_cast<std::size_t>(step)]);
            if (code != 0) return {step, code};
        }
        if (m_outputs == 0 || !m_stack.empty() || !m_current)
            return {network.lastStep, kErrorUnfinishedNetwork};
        if (inUse() > 1) return {network.lastStep, kErrorBlocksLeft};
        if (m_cursor + m_current->rows - 1 > LadderGrid::kRows)
            return {network.lastStep, kErrorOutputTooWide};

        const int firstRow = m_cursor;
        for (int r = 1; r <= m_current->usedRows(); ++r) {
            for (int c = 1; c <= RebuildBlock::kColumns; ++c) {
                const LadderCell* cell = m_current->cell(r, c);
                if (!cell) continue;
                const int row = m_cursor + r - 1;
                if (cell->element) m_grid.setElement(row, c, cell->kind, cell->text);
                // Column-1 flags stay as the rebuild drew them.
                if (cell->verticalLink) m_grid.placeVerticalLink(row, c);
            }
        }
        m_cursor += m_current->rows;
        giveBack(m_current);
        m_current = nullptr;
        m_rows.push_back({firstRow, m_cursor - 1, network.firstStep, network.lastStep});
        return {};
    }

    int drawStep(const plc::IlEntry& entry) {
        const InstructionCode code = codeOf(entry.opcode);
        switch (code) {
            case InstructionCode::LD:
            case InstructionCode::LDI:
                return load(entry);
            case InstructionCode::AND:
            case InstructionCode::ANI:
                return andContact(entry);
            case InstructionCode::OR:
            case InstructionCode::ORI:
                return orContact(entry);
            case InstructionCode::ORB:
                return orBlock();
            case InstructionCode::ANB:
                return andBlock();
            default:
                break;
        }
        if (targetColumn(code) != 0) return output(entry, code);
        if (isStructure(code)) return structure(entry);
        return kErrorIllegalInstruction;
    }

    static int contactKind(InstructionCode code) noexcept {
        const bool closed = code == InstructionCode::LDI || code == InstructionCode::ANI ||
                            code == InstructionCode::ORI;
        return closed ? 2 : 1;
    }

    int load(const plc::IlEntry& entry) {
        // One block always stays free.
        if (freeBlocks() <= 1) return kErrorNoFreeBlock;
        RebuildBlock* block = take();
        block->setElement(1, 1, contactKind(codeOf(entry.opcode)), operandOf(entry.text));
        block->rows = 1;
        block->width = 1;
        if (m_current) m_stack.push_back(m_current);
        m_current = block;
        return 0;
    }

    int andContact(const plc::IlEntry& entry) {
        if (!m_current) return kErrorUnfinishedNetwork;
        RebuildBlock& b = *m_current;
        if (b.width + 1 > kMaxContactWidth) return kErrorRowTooWide;
        b.width += 1;
        b.setElement(1, b.width, contactKind(codeOf(entry.opcode)), operandOf(entry.text));
        return 0;
    }

    int orContact(const plc::IlEntry& entry) {
        if (!m_current) return kErrorUnfinishedNetwork;
        RebuildBlock& b = *m_current;
        if (b.rows + 1 > LadderRebuild::kBlockRows) return kErrorTooManyRows;
        const int row = b.rows + 1;
        b.setElement(row, 1, contactKind(codeOf(entry.opcode)), operandOf(entry.text));
        for (int c = 2; c <= b.width; ++c)
            b.setLine(row, c);
        for (int r = 1; r <= b.rows; ++r) {
            b.setLink(r, 1);
            b.setLink(r, b.width + 1);
        }
        b.rows = row;
        return 0;
    }

    int orBlock() {
        if (!m_current || m_stack.empty()) return kErrorUnfinishedNetwork;
        RebuildBlock& b = *m_stack.back();
        RebuildBlock& c = *m_current;
        if (b.rows + c.rows > LadderRebuild::kBlockRows) return kErrorTooManyRows;
        const int w = std::max(b.width, c.width);
        for (int col = b.width + 1; col <= w; ++col)
            b.setLine(1, col);
        for (int col = c.width + 1; col <= w; ++col)
            c.setLine(1, col);
        const int upperRows = b.rows;
        const int lowerRows = c.rows;
        b.moveFrom(c, upperRows, 0);
        for (int r = 1; r <= upperRows; ++r) {
            b.setLink(r, 1);
            b.setLink(r, w + 1);
        }
        b.rows = upperRows + lowerRows;
        b.width = w;
        finishMerge();
        return 0;
    }

    int andBlock() {
        if (!m_current || m_stack.empty()) return kErrorUnfinishedNetwork;
        RebuildBlock& b = *m_stack.back();
        RebuildBlock& c = *m_current;
        if (b.width + c.width > kMaxContactWidth) return kErrorRowTooWide;
        const int rows = std::max(b.rows, c.rows);
        const int width = b.width + c.width;
        b.moveFrom(c, 0, b.width);
        b.rows = rows;
        b.width = width;
        finishMerge();
        return 0;
    }

    // The merged block (top of the stack) becomes current again.
    void finishMerge() {
        giveBack(m_current);
        m_current = m_stack.back();
        m_stack.pop_back();
    }

    int output(const plc::IlEntry& entry, InstructionCode code) {
        if (!m_current) return kErrorUnfinishedNetwork;
        RebuildBlock& b = *m_current;
        const int target = targetColumn(code);
        if (b.width >= target)
            return code == InstructionCode::OUT ? kErrorOutputTooWide : kErrorFunctionTooWide;
        const int row = m_outputs + 1;
        if (row > LadderRebuild::kBlockRows) return kErrorTooManyRows;
        m_outputs = row;
        for (int c = b.width + 1; c < target; ++c)
            b.setLine(row, c);
        if (code == InstructionCode::OUT)
            b.setElement(row, target, static_cast<int>(code), operandOf(entry.text));
        else
            b.setElement(row, target, static_cast<int>(code), entry.text);
        if (row > 1) b.setLink(row - 1, b.width + 1);
        b.rows = std::max(b.rows, row);
        return 0;
    }

    int structure(const plc::IlEntry& entry) {
        if (freeBlocks() == 0) return kErrorNoFreeBlockForEnd;
        RebuildBlock* block = take();
        block->setElement(1, 1, static_cast<int>(entry.opcode), entry.text);
        block->rows = 1;
        block->width = 1;
        ++m_outputs;
        // A block current before is left in use; the network end reports it.
        m_current = block;
        return 0;
    }

    int freeBlocks() const noexcept {
        int n = 0;
        for (bool used : m_used)
            n += used ? 0 : 1;
        return n;
    }
    int inUse() const noexcept { return LadderRebuild::kPoolBlocks - freeBlocks(); }

    RebuildBlock* take() {
        for (std::size_t i = 0; i < m_pool.size(); ++i) {
            if (!m_used[i]) {
                m_used[i] = true;
                m_pool[i].clear();
                return &m_pool[i];
            }
        }
        return nullptr;
    }

    void giveBack(RebuildBlock* block) {
        if (!block) return;
        const auto i = static_cast<std::size_t>(block - m_pool.data());
        if (i < m_pool.size()) m_used[i] = false;
    }

    void resetPool() {
        m_used.fill(false);
        m_stack.clear();
        m_current = nullptr;
    }

    const plc::IlStore& m_il;
    std::array<RebuildBlock, LadderRebuild::kPoolBlocks> m_pool;
    std::array<bool, LadderRebuild::kPoolBlocks> m_used{};
    std::vector<RebuildBlock*> m_stack;  // open blocks below the current one
    RebuildBlock* m_current = nullptr;
    int m_outputs = 0;  // outputs placed in the current network
    int m_cursor = 1;   // grid row of the next network
    LadderGrid m_grid;
    std::vector<plc::NetworkRows> m_rows;
};

}  // namespace

StepError LadderRebuild::rebuild(plc::PlcDocument& doc,
                                 const std::vector<plc::NetworkSteps>& networks) {
    try {
        // The pool and the new grid are large; keep them off the stack.
        auto rebuilder = std::make_unique<Rebuilder>(doc.il());
        const StepError result = rebuilder->run(networks);
        if (!result.ok()) return result;
        doc.replaceGrid(std::move(rebuilder->grid()));
        doc.networkRows() = std::move(rebuilder->rows());
        return result;
    } catch (const std::bad_alloc&) {
        return {-1, kErrorMemory};
    }
}

}  // namespace kelcc::core::compiler
