#include "cnc_data/parameter_document.h"

#include <memory>
#include <optional>

#include "cnc_data/parameter_file.h"
#include "common/atomic_file.h"
#include "common/recovery_store.h"
#include "common/undo_command.h"

namespace kelcc::core::cnc_data {
namespace {

std::string pathIn(const std::string& folder, const char* name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

const std::string kNoLine;

class LinesCommand final : public common::UndoCommand {
public:
    LinesCommand(ParameterDocument& doc, std::vector<ParameterDocument::LineChange> changes)
        : UndoCommand(ParameterDocument::kEditText), m_doc(doc), m_changes(std::move(changes)) {}

    void redo() override { m_doc.storeLines(m_changes, false); }
    void undo() override { m_doc.storeLines(m_changes, true); }
    std::size_t bytes() const noexcept override {
        std::size_t held = UndoCommand::bytes() + sizeof(*this);
        for (const auto& change : m_changes)
            held += sizeof(change) + change.before.capacity() + change.after.capacity();
        return held;
    }

private:
    ParameterDocument& m_doc;
    std::vector<ParameterDocument::LineChange> m_changes;
};

}  // namespace

ParameterDocument::ParameterDocument(ProjectMark projectMark)
    : m_bitLines(ParameterCatalogue::kBitCount),
      m_dataLines(ParameterCatalogue::kDataCount),
      m_projectMark(std::move(projectMark)) {}

std::vector<std::string>* ParameterDocument::array(ParameterKind kind) {
    if (kind == ParameterKind::Bit) return &m_bitLines;
    if (kind == ParameterKind::Data) return &m_dataLines;
    return nullptr;
}

const std::vector<std::string>* ParameterDocument::array(ParameterKind kind) const {
    return const_cast<ParameterDocument*>(this)->array(kind);
}

const std::string& ParameterDocument::line(ParameterKind kind, int index) const {
    const auto* lines = array(kind);
    if (!lines || index < 0 || static_cast<std::size_t>(index) >= lines->size()) return kNoLine;
    return (*lines)[static_cast<std::size_t>(index)];
}

std::string ParameterDocument::value(ParameterKind kind, int index) const {
    const std::string& text = line(kind, index);
    if (text.empty()) return kind == ParameterKind::Bit ? "00000000" : "0";
    return std::string(ParameterFile::lineValue(text));
}

bool ParameterDocument::setLine(ParameterKind kind, int index, std::string text) {
    auto* lines = array(kind);
    if (!lines || index < 0 || static_cast<std::size_t>(index) >= lines->size()) return false;
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    std::string& slot = (*lines)[static_cast<std::size_t>(index)];
    if (slot == text) return false;
    slot = std::move(text);
    return true;
}

bool ParameterDocument::collect(std::span<const std::string> bitValues,
                                std::span<const std::string> dataValues) {
    std::vector<LineChange> changes;
    const auto store = [&](ParameterKind kind, std::span<const std::string> values,
                           std::string_view empty) {
        const auto& lines = *array(kind);
        for (std::size_t i = 0; i < values.size() && i < lines.size(); ++i) {
            const std::string_view value = values[i].empty() ? empty : values[i];
            std::string after = ParameterFile::formatLine(static_cast<int>(i), value);
            for (char& c : after)
                if (c == '\r' || c == '\n') c = ' ';
            if (after != lines[i])
                changes.push_back({kind, static_cast<int>(i), lines[i], std::move(after)});
        }
    };
    store(ParameterKind::Bit, bitValues, "00000000");
    store(ParameterKind::Data, dataValues, "0");
    if (changes.empty()) return false;
    undoStack().push(std::make_unique<LinesCommand>(*this, std::move(changes)));
    return true;
}

void ParameterDocument::storeLines(const std::vector<LineChange>& changes, bool undo) {
    for (const LineChange& change : changes)
        setLine(change.kind, change.index, undo ? change.before : change.after);
    if (m_projectMark) m_projectMark(true);
    common::DocumentChange change;
    change.add(common::DocumentChange::Tables, 0, 0);
    notifyChanged(change);
}

namespace {

std::string joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += '\n';
    }
    return out;
}

std::optional<std::vector<std::string>> splitLines(std::string_view text, std::size_t count) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        if (end == std::string_view::npos) return std::nullopt;
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    if (lines.size() != count) return std::nullopt;
    return lines;
}

constexpr std::string_view kBitPart = "bit";
constexpr std::string_view kDataPart = "data";

}  // namespace

std::string ParameterDocument::recoveryContent() const {
    return common::RecoveryStore::pack(
        {{kBitPart, joinLines(m_bitLines)}, {kDataPart, joinLines(m_dataLines)}});
}

bool ParameterDocument::restore(std::string_view content) {
    const auto parts = common::RecoveryStore::unpack(content);
    if (!parts || !parts->contains(kBitPart) || !parts->contains(kDataPart)) return false;
    auto bits = splitLines(parts->find(kBitPart)->second, m_bitLines.size());
    auto data = splitLines(parts->find(kDataPart)->second, m_dataLines.size());
    if (!bits || !data) return false;
    m_bitLines = std::move(*bits);
    m_dataLines = std::move(*data);
    reloaded();
    setModified(true);
    if (m_projectMark) m_projectMark(true);
    return true;
}

bool ParameterDocument::open(const std::string& folder, common::Interaction& interaction) {
    std::string bitBytes;
    std::string dataBytes;
    for (auto [name, bytes] : {std::pair{ParameterFile::kBitFileName, &bitBytes},
                               std::pair{ParameterFile::kDataFileName, &dataBytes}}) {
        const common::FileResult read =
            common::AtomicFile::read(pathIn(folder, name), *bytes, ParameterFile::kMaxFileBytes);
        if (!read.ok) {
            interaction.inform(read.error, common::kMessageCaption, common::MessageIcon::Stop);
            return false;
        }
    }
    auto bits = ParameterFile::read(bitBytes, ParameterKind::Bit);
    auto data = ParameterFile::read(dataBytes, ParameterKind::Data);
    if (!bits || !data) {
        interaction.inform(kUnknownFormatText, common::kMessageCaption,
                           common::MessageIcon::Warning);
        return false;
    }
    m_bitLines = std::move(*bits);
    m_dataLines = std::move(*data);
    m_title = kTitle;
    setLoaded(true);
    setModified(false);
    return true;
}

std::string ParameterDocument::bitFileBytes() const {
    return ParameterFile::write(m_bitLines, ParameterCatalogue::kBitCount);
}

std::string ParameterDocument::dataFileBytes() const {
    return ParameterFile::write(m_dataLines, ParameterCatalogue::kDataWithRules);
}

bool ParameterDocument::save(const std::string& folder, common::Interaction& interaction) {
    for (auto [name, bytes] : {std::pair{ParameterFile::kBitFileName, bitFileBytes()},
                               std::pair{ParameterFile::kDataFileName, dataFileBytes()}}) {
        const common::FileResult written = common::AtomicFile::write(pathIn(folder, name), bytes);
        if (!written.ok) {
            interaction.inform(written.error, common::kMessageCaption, common::MessageIcon::Stop);
            return false;
        }
    }
    setModified(false);
    return true;
}

}  // namespace kelcc::core::cnc_data
