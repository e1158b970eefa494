#include "plc_document_file.h"

#include "compiler/compile_command.h"
#include "compiler/il_check.h"
#include "compiler/ladder_rebuild.h"
#include "plc/ladder_image.h"
#include "plc/program_file.h"

namespace kelcc::core::compiler {

using common::Answer;
using common::MessageIcon;

bool PlcDocumentFile::open(plc::PlcDocument& doc, const std::string& path,
                           common::Interaction& interaction) {
    doc.clear();
    auto read = plc::ProgramFile::readFile(path, doc, interaction);
    if (read.result == plc::ProgramFile::kReadUnreadable) {
        doc.clear();
        doc.reloaded();
        return false;
    }
    bool ok = read.result == plc::ProgramFile::kReadOk;
    if (ok) ok = compiler::IlCheck::checkAndDivide(doc).ok();
    if (ok) ok = compiler::LadderRebuild::rebuild(doc, doc.networkSteps()).ok();
    if (!ok) {
        interaction.inform(plc::ProgramFile::kUnsupportedVersionText, common::kMessageCaption,
                           MessageIcon::Warning);
        doc.clear();
        doc.reloaded();
        return false;
    }
    doc.setStepCount(static_cast<int>(doc.il().size()));
    doc.setLoaded(true);
    // The history does not apply to what was read; every view redraws.
    doc.reloaded();
    return true;
}

bool PlcDocumentFile::reload(plc::PlcDocument& doc, const std::string& path,
                             common::Interaction& interaction) {
    if (doc.modified()) {
        const std::string question = path + (kReplacedQuestion + 2);  // after "%1"
        if (interaction.ask(question, common::kMessageCaption, {Answer::Yes, Answer::No},
                            MessageIcon::Question) == Answer::No)
            return true;
    }
    return open(doc, path, interaction);
}

common::FileResult PlcDocumentFile::save(const plc::PlcDocument& doc, const std::string& path) {
    auto text = plc::ProgramFile::writeFile(path, doc);
    if (!text.ok) return text;
    return plc::LadderImage::writeFile(path + ".bin", doc.grid());
}

PlcDocumentFile::SaveCommandResult PlcDocumentFile::fileSave(plc::PlcDocument& doc,
                                                             const std::string& path,
                                                             const std::string& projectName,
                                                             common::Language language,
                                                             common::Interaction& interaction) {
    SaveCommandResult result;
    if (!doc.modified()) return result;

    auto compiled = compiler::CompileCommand::run(doc, projectName, language, interaction);
    result.lines = std::move(compiled.lines);
    if (compiled.success) {
        // A file that cannot be written is reported, and the document stays
        // modified so that nothing is lost silently.
        auto written = save(doc, path);
        if (!written.ok) {
            interaction.inform(written.error, common::kMessageCaption, MessageIcon::Stop);
            result.outcome = SaveOutcome::WriteFailed;
            return result;
        }
        doc.setModified(false);
        std::string projectError = doc.project().saveProjectFile();
        if (!projectError.empty()) {
            interaction.inform(projectError, common::kMessageCaption, MessageIcon::Stop);
            result.outcome = SaveOutcome::WriteFailed;
        }
        return result;
    }

    const std::string question = path + (kSaveQuestionFormat + 2);  // after "%1"
    Answer answer = interaction.ask(question, kSaveQuestionCaption, {Answer::Yes, Answer::No},
                                    MessageIcon::Stop);
    if (answer == Answer::No) {
        // The program as it was before the edits comes back from disk.
        open(doc, path, interaction);
        result.outcome = SaveOutcome::Reverted;
    } else {
        result.outcome = SaveOutcome::ReturnToEditing;
    }
    return result;
}

}  // namespace kelcc::core::compiler
