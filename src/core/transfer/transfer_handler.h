#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "comm/file_entry.h"
#include "comm/link_transfer_handler.h"
#include "comm/resume_decision.h"
#include "common/interaction.h"

namespace kelcc::core::comm {
class LinkFileAdapter;
class LinkListener;
}  // namespace kelcc::core::comm

namespace kelcc::core::transfer {

// The file side of a session: walks the session's list file by file, opens
// and creates the local files, answers the controller's file replies, the
// delete-then-rewrite of a file that exists, the part-program resume and
// uploads the controller starts on its own.
class TransferHandler final : public comm::LinkTransferHandler {
public:
    // A file starts: its size and its position in the list, from 1.
    using NewFileObserver = std::function<void(std::uint32_t size, std::uint32_t position)>;

    TransferHandler(comm::LinkFileAdapter& file, comm::LinkListener& listener,
                    common::Interaction& ui, std::string tempFolder);

    void setNewFileObserver(NewFileObserver observer) { m_newFile = std::move(observer); }
    // The user cancelled a part-program resume: no more frames follow, so
    // the session has to be ended by its owner.
    void setResumeCancelledObserver(std::function<void()> observer) {
        m_resumeCancelled = std::move(observer);
    }

    // Start a session over the given list; the engine must be ready.
    void sendFiles(comm::LinkEngine& engine, std::vector<comm::FileEntry> entries);
    void receiveFiles(comm::LinkEngine& engine, std::vector<comm::FileEntry> entries);
    const std::vector<comm::FileEntry>& entries() const noexcept { return m_entries; }

    void sendNextFile(comm::LinkEngine& engine) override;
    void receiveNextFile(comm::LinkEngine& engine) override;
    void fileAccepted(comm::LinkEngine& engine, std::uint8_t fileSubCode,
                      std::span<const std::uint8_t> data) override;
    void fileExists(comm::LinkEngine& engine) override;
    void resumeOffered(comm::LinkEngine& engine) override;
    void resumeAsked(comm::LinkEngine& engine) override;
    std::optional<comm::UploadEntry> uploadOffered(std::span<const std::uint8_t> header) override;

private:
    void startList(comm::LinkEngine& engine, std::vector<comm::FileEntry> entries);
    bool sendFileCommand(comm::LinkEngine& engine, std::uint8_t subCode, const std::string& data);
    void onResumeAnswer(comm::LinkEngine& engine, std::span<const std::uint8_t> data);
    void onResumeStart(comm::LinkEngine& engine, std::span<const std::uint8_t> data);
    void newFile(std::uint32_t size, std::int32_t index) const;

    comm::LinkFileAdapter& m_file;
    comm::LinkListener& m_listener;
    common::Interaction& m_ui;
    std::string m_tempFolder;
    NewFileObserver m_newFile;
    std::function<void()> m_resumeCancelled;

    std::vector<comm::FileEntry> m_entries;
    // The header of the file being written, kept for its delete request and
    // the write request that follows it.
    std::string m_header;
    // The part program being sent, as the resume records name it.
    std::optional<comm::DncFile> m_dnc;
};

}  // namespace kelcc::core::transfer
