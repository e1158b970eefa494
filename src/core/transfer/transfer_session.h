#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/project.h"
#include "comm/file_entry.h"
#include "comm/link_engine.h"
#include "comm/link_file_adapter.h"
#include "comm/link_listener.h"
#include "comm/modem_file.h"
#include "comm/transfer_progress.h"
#include "common/atomic_file.h"
#include "common/interaction.h"
#include "transfer/session_list.h"
#include "transfer/transfer_handler.h"
#include "transfer/transfer_port.h"

namespace kelcc::core::transfer {

// The user's side of the controller link without any window: connect and
// disconnect, send the project, read files into it, uploads the controller
// starts, the progress figures and what each engine event and error does.
// The host feeds the line's bytes and the timers in and shows the dialogs
// the callbacks ask for; messages go through the Interaction.
//
// Engine reports are queued and handled after the engine call that made
// them has returned, so the session may drive the engine in answer.
class TransferSession final : public comm::LinkListener {
public:
    static constexpr const char* kPortBusyText = "串口不存在或被占用!";
    static constexpr const char* kConnectFailedText = "连接失败!请检查硬件连接。";
    static constexpr const char* kConnectedText = "连接成功!";
    static constexpr const char* kNoDisconnectReplyText = "未收到断链应答,异常退出.";
    static constexpr const char* kDisconnectUnansweredText = "未收到断链应答,但所有文件已传送完毕.";
    static constexpr const char* kListFailedText = "获取文件列表失败!";
    static constexpr const char* kAllSentText = "所有文件传送完毕";
    static constexpr const char* kAllReceivedText = "所有文件接收完毕";
    static constexpr const char* kUserCancelText = "通讯被用户取消";
    static constexpr const char* kOverwriteText = "将覆盖当前打开的工程文件,确定继续吗?";
    static constexpr const char* kReadCaption = "从CNC读入文件";
    // The quit question's second line break is a real one.
    static constexpr const char* kQuitText =
        "已经与CNC连接，退出前将断开连接。\r\n\r\n确定要退出吗？";
    static constexpr const char* kQuitCaption = "退出";
    static constexpr const char* kProgressTitle = "KELCC-文件传输";
    static constexpr const char* kUploadTitle = "文件接收";
    static constexpr const char* kUploadText = "接收到CNC上传的文件 \"%1\"";
    static constexpr const char* kUploadQuestion = "保存文件到硬盘吗?";
    static constexpr const char* kBusyText = "CNC忙，暂停传输";
    static constexpr std::uint32_t kTransferTimerMs = 2000;

    enum class Pending { Connect = 0, Send = 1, Read = 2 };
    // StageOnly receives into the staging folder and leaves the files
    // there for the caller (stagingFolder()), whatever the outcome; the
    // project is not asked for and not touched.
    enum class SaveMode { NewProject, Overwrite, StageOnly };

    struct Options {
        std::string tempFolder;
        // Seconds since 1970, for the name of a staging folder.
        std::function<std::uint64_t()> wallSeconds;
    };

    // What the read dialog offers: the configuration files as listed and
    // the part programs of "USER", "USER1" and "USER2".
    struct ReadChoices {
        std::vector<comm::FileEntry> configList;
        std::array<std::vector<comm::FileEntry>, 3> programs;
    };

    struct Callbacks {
        // The controller confirmed our command role: open the send dialog
        // (answered by startSend() or dialogCancelled()).
        std::function<void()> sendDialog;
        // The lists arrived: open the read dialog (startReceive() or
        // dialogCancelled()).
        std::function<void(const ReadChoices&)> readDialog;
        // A file the controller uploaded is complete at this path.
        std::function<void(const std::string& path)> uploadReceived;
        // Each list of the read sequence as it arrives, all its entries.
        std::function<void(int area, const std::vector<comm::FileEntry>& entries)> listed;
    };

    // The progress window's contents; shown is false while it is closed.
    struct ProgressView {
        bool shown = false;
        std::string title;
        std::vector<std::string> lines;
        std::string status;
        std::string retries;
        std::string lastError;
        std::string group;
    };

    TransferSession(const comm::LinkClock& clock, comm::LinkByteSink& sink, TransferPort& port,
                    common::Interaction& ui, app::Project& project, Options options);
    ~TransferSession() override;
    TransferSession(const TransferSession&) = delete;
    TransferSession& operator=(const TransferSession&) = delete;

    void setCallbacks(Callbacks callbacks) { m_callbacks = std::move(callbacks); }

    // --- input from the host ---
    void onBytes(std::span<const std::uint8_t> chunk);
    void onTick();  // every comm::LinkEngine::kTickMs
    // Every kTransferTimerMs while transferTimerRunning().
    void onTransferTimer();

    // --- commands ---
    void connectCommand();
    void disconnectCommand();
    // False when not connected (the command is disabled).
    bool sendToCncCommand();
    bool readFromCncCommand();
    // The dialogs' OK: false keeps the dialog open (the reason was shown).
    bool startSend(const SessionList::SendSelection& selection);
    bool startReceive(const SessionList::ReceiveSelection& selection, SaveMode mode,
                      const app::LocationDialog& newProjectDialog);
    void dialogCancelled();
    // The progress window's cancel button.
    void userCancel();
    // Closing the main window: false keeps the program running; otherwise
    // the link is being closed (see linkOpen()).
    bool confirmQuit();

    // The question of the upload dialog for the uploaded file's path.
    static std::string uploadText(const std::string& path);
    // Copies the uploaded file to `target` and removes it.
    static common::FileResult saveUpload(const std::string& uploadPath, const std::string& target);

    // --- state ---
    bool connected() const noexcept { return m_connected; }
    bool running() const noexcept { return m_running; }
    bool linkOpen() const noexcept { return m_port.isOpen(); }
    // The main window is disabled while a session runs.
    bool mainWindowEnabled() const noexcept { return !m_running; }
    bool transferTimerRunning() const noexcept { return m_timerRunning; }
    bool deleteFirst() const noexcept { return m_deleteFirst; }
    const ProgressView& view() const noexcept { return m_view; }
    const comm::TransferProgress& progress() const noexcept { return m_progress; }
    const std::string& stagingFolder() const noexcept { return m_staging; }
    comm::LinkEngine& engine() noexcept { return m_engine; }

    // --- LinkListener ---
    void linkError(comm::LinkError code, comm::ErrorAction action,
                   const std::string& message) override;
    void linkProgress(std::uint32_t bytes, bool skipped) override;
    void linkEvent(comm::LinkEvent event, std::uint32_t value) override;
    void uploadStarted(const comm::UploadEntry& entry) override;
    void uploadComplete(const std::string& localPath) override;
    void connectFinished(bool accepted) override;
    void disconnectFinished(bool answered) override;
    void fileListFinished(const std::optional<std::string>& text) override;

private:
    enum class Closing { None, ConnectRetry, Sequence };

    void later(std::function<void()> work);
    void settle();

    bool openLink();
    void onConnected(bool accepted);
    void onDisconnected(bool answered);
    void onEvent(comm::LinkEvent event, std::uint32_t value);
    void onError(comm::LinkError code, comm::ErrorAction action, const std::string& message);
    void onFileList(const std::optional<std::string>& text);
    void onPcHasControl();
    void onNewFile(std::uint32_t size, std::uint32_t position);

    void beginSession(const std::string& title, std::vector<std::string> lines);
    void endSessionUi();
    // Removes the staging folder of a receive session that has not ended
    // with adoption.
    void discardStaging();
    // Disconnect, mark idle, close the port and the engine; then `after`.
    // sessionComplete: every file has arrived or been acknowledged.
    void disconnectSequence(bool reportUnanswered, std::function<void()> after = {},
                            bool sessionComplete = false);
    void closeLink();
    void tell(const std::string& text, common::MessageIcon icon);
    void tellOpenFailed();

    TransferPort& m_port;
    common::Interaction& m_ui;
    app::Project& m_project;
    Options m_options;
    Callbacks m_callbacks;

    comm::ModemFile m_file;
    comm::LinkFileAdapter m_adapter{m_file};
    TransferHandler m_handler;
    comm::LinkEngine m_engine;

    std::deque<std::function<void()>> m_later;
    bool m_settling = false;

    bool m_connected = false;
    bool m_running = false;
    bool m_timerRunning = false;
    bool m_deleteFirst = false;
    bool m_adopt = false;
    bool m_retried = false;
    Pending m_pending = Pending::Connect;
    Closing m_closing = Closing::None;
    bool m_reportUnanswered = true;
    bool m_sessionComplete = false;
    std::function<void()> m_afterDisconnect;

    // The read sequence: the area whose list is awaited, and what came.
    int m_listArea = 0;
    ReadChoices m_choices;

    std::string m_staging;
    bool m_stagingLive = false;
    std::string m_groupSuffix;
    std::uint32_t m_previousPosition = 0;
    std::uint32_t m_retries = 0;
    comm::TransferProgress m_progress;
    ProgressView m_view;
};

}  // namespace kelcc::core::transfer
