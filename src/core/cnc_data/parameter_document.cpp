#include "cnc_data/parameter_document.h"

#include "cnc_data/parameter_file.h"
#include "common/atomic_file.h"

namespace kelcc::core::cnc_data {
namespace {

std::string pathIn(const std::string& folder, const char* name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

const std::string kNoLine;

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
    bool changed = false;
    const auto store = [&](ParameterKind kind, std::span<const std::string> values,
                           std::string_view empty) {
        const auto& lines = *array(kind);
        for (std::size_t i = 0; i < values.size() && i < lines.size(); ++i) {
            const std::string_view value = values[i].empty() ? empty : values[i];
            changed |= setLine(kind, static_cast<int>(i),
                               ParameterFile::formatLine(static_cast<int>(i), value));
        }
    };
    store(ParameterKind::Bit, bitValues, "00000000");
    store(ParameterKind::Data, dataValues, "0");
    if (changed) {
        m_modified = true;
        if (m_projectMark) m_projectMark(true);
    }
    return changed;
}

bool ParameterDocument::open(const std::string& folder, common::Interaction& interaction) {
    std::string bitBytes;
    std::string dataBytes;
    for (auto [name, bytes] : {std::pair{ParameterFile::kBitFileName, &bitBytes},
                               std::pair{ParameterFile::kDataFileName, &dataBytes}}) {
        const common::FileResult read =
            common::AtomicFile::read(pathIn(folder, name), *bytes, ParameterFile::kMaxFileBytes);
        if (!read.ok) {
            interaction.inform(read.error, kErrorCaption, common::MessageIcon::Stop);
            return false;
        }
    }
    auto bits = ParameterFile::read(bitBytes, ParameterKind::Bit);
    if (!bits) return false;
    auto data = ParameterFile::read(dataBytes, ParameterKind::Data);
    if (!data) return false;
    m_bitLines = std::move(*bits);
    m_dataLines = std::move(*data);
    m_title = kTitle;
    m_modified = false;
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
            interaction.inform(written.error, kErrorCaption, common::MessageIcon::Stop);
            return false;
        }
    }
    m_modified = false;
    return true;
}

}  // namespace kelcc::core::cnc_data
