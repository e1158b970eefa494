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

// The file side of a session: walks the session's list file by file, opens
// and creates the local files, answers the controller's file replies, the
// delete-then-rewrite of a file that exists, the part-program resume and
// uploads the controller starts on its own.
class TransferHandler final : public LinkTransferHandler {
public:
    // A file starts: its size and its position in the list, from 1.
    using NewFileObserver = std::function<void(std::uint32_t size, std::uint32_t position)>;

    TransferHandler(LinkFileAdapter& file, LinkListener& listener, common::Interaction& ui,
                    std::string tempFolder);

    void setNewFileObserver(NewFileObserver observer) { m_newFile = std::move(observer); }
    // The user cancelled a part-program resume: no more frames follow, so
    // the session has to be ended by its owner.
    void setResumeCancelledObserver(std::function<void()> observer) {
        m_resumeCancelled = std::move(observer);
    }

    // Start a session over the given list; the engine must be ready.
    void sendFiles(LinkEngine& engine, std::vector<FileEntry> entries);
    void receiveFiles(LinkEngine& engine, std::vector<FileEntry> entries);
    const std::vector<FileEntry>& entries() const noexcept { return m_entries; }

    void sendNextFile(LinkEngine& engine) override;
    void receiveNextFile(LinkEngine& engine) override;
    void fileAccepted(LinkEngine& engine, std::uint8_t fileSubCode,
                      std::span<const std::uint8_t> data) override;
    void fileExists(LinkEngine& engine) override;
    void resumeOffered(LinkEngine& engine) override;
    void resumeAsked(LinkEngine& engine) override;
    std::optional<UploadEntry> uploadOffered(std::span<const std::uint8_t> header) override;

private:
    void startList(LinkEngine& engine, std::vector<FileEntry> entries);
    bool sendFileCommand(LinkEngine& engine, std::uint8_t subCode, const std::string& data);
    void onResumeAnswer(LinkEngine& engine, std::span<const std::uint8_t> data);
    void onResumeStart(LinkEngine& engine, std::span<const std::uint8_t> data);
    void newFile(std::uint32_t size, std::int32_t index) const;

    LinkFileAdapter& m_file;
    LinkListener& m_listener;
    common::Interaction& m_ui;
    std::string m_tempFolder;
    NewFileObserver m_newFile;
    std::function<void()> m_resumeCancelled;

    std::vector<FileEntry> m_entries;
    // The header of the file being written, kept for its delete request and
    // the write request that follows it.
    std::string m_header;
    // The part program being sent, as the resume records name it.
    std::optional<DncFile> m_dnc;
};

}  // namespace kelcc::core::comm
