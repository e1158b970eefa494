#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "comm/link_byte_sink.h"
#include "comm/link_clock.h"
#include "comm/link_listener.h"
#include "comm/link_transfer_file.h"
#include "comm/link_transfer_handler.h"

namespace kelcc::core::comm::testing {

class FakeClock final : public LinkClock {
public:
    std::uint32_t nowMs() const override { return now; }
    // Starts close to the wrap so that elapsed times must be taken unsigned.
    std::uint32_t now = 0xFFFFF000;
};

class FakeSink final : public LinkByteSink {
public:
    bool write(std::span<const std::uint8_t> bytes) override {
        if (failWrites) return false;
        writes.emplace_back(bytes.begin(), bytes.end());
        return true;
    }
    void setReadSize(std::size_t bytes) override { readSize = bytes; }

    std::vector<std::vector<std::uint8_t>> writes;
    std::size_t readSize = 521;
    bool failWrites = false;
};

class RecordingListener final : public LinkListener {
public:
    struct Error {
        LinkError code;
        ErrorAction action;
        std::string message;
    };

    void linkError(LinkError code, ErrorAction action, const std::string& message) override {
        errors.push_back({code, action, message});
    }
    void linkProgress(std::uint32_t bytes, bool) override { progress += bytes; }
    void linkEvent(LinkEvent event, std::uint32_t value) override {
        events.emplace_back(event, value);
    }
    void uploadStarted(const UploadEntry& entry) override { uploads.push_back(entry); }
    void uploadComplete(const std::string& path) override { completed.push_back(path); }
    void connectFinished(bool accepted) override { connects.push_back(accepted); }
    void disconnectFinished(bool answered) override { disconnects.push_back(answered); }
    void fileListFinished(const std::optional<std::string>& text) override {
        lists.push_back(text);
    }

    bool hasEvent(LinkEvent event, std::uint32_t value) const {
        return std::find(events.begin(), events.end(), std::pair{event, value}) != events.end();
    }

    std::vector<Error> errors;
    std::vector<std::pair<LinkEvent, std::uint32_t>> events;
    std::vector<UploadEntry> uploads;
    std::vector<std::string> completed;
    std::vector<bool> connects;
    std::vector<bool> disconnects;
    std::vector<std::optional<std::string>> lists;
    std::uint64_t progress = 0;
};

class FakeFile final : public LinkTransferFile {
public:
    Piece readPiece(std::span<std::uint8_t> buffer) override {
        ++reads;
        if (readFails) return {ReadResult::Error, 0};
        const std::size_t left = content.size() - position;
        if (left == 0) return {ReadResult::Nothing, 0};
        const std::size_t count = std::min(left, buffer.size());
        std::copy_n(content.begin() + static_cast<std::ptrdiff_t>(position), count, buffer.begin());
        position += count;
        return {position == content.size() ? ReadResult::Last : ReadResult::More, count};
    }
    bool writePiece(std::span<const std::uint8_t> data) override {
        if (writeFails) return false;
        written.insert(written.end(), data.begin(), data.end());
        return true;
    }
    void close() override { ++closes; }

    std::vector<std::uint8_t> content;
    std::size_t position = 0;
    std::vector<std::uint8_t> written;
    bool readFails = false;
    bool writeFails = false;
    int reads = 0;
    int closes = 0;
};

class FakeHandler final : public LinkTransferHandler {
public:
    void sendNextFile(LinkEngine&) override { ++sendNext; }
    void receiveNextFile(LinkEngine&) override { ++receiveNext; }
    void fileAccepted(LinkEngine& engine, std::uint8_t subCode,
                      std::span<const std::uint8_t>) override {
        accepted.push_back(subCode);
        if (onAccepted) onAccepted(engine, subCode);
    }
    void fileExists(LinkEngine&) override { ++exists; }
    void resumeOffered(LinkEngine& engine) override {
        ++resumeOffers;
        if (onResume) onResume(engine);
    }
    void resumeAsked(LinkEngine& engine) override {
        ++resumeQuestions;
        if (onResume) onResume(engine);
    }
    std::optional<UploadEntry> uploadOffered(std::span<const std::uint8_t> header) override {
        offeredHeaders.emplace_back(header.begin(), header.end());
        return upload;
    }

    std::function<void(LinkEngine&, std::uint8_t)> onAccepted;
    std::function<void(LinkEngine&)> onResume;
    std::optional<UploadEntry> upload;
    std::vector<std::uint8_t> accepted;
    std::vector<std::vector<std::uint8_t>> offeredHeaders;
    int sendNext = 0;
    int receiveNext = 0;
    int exists = 0;
    int resumeOffers = 0;
    int resumeQuestions = 0;
};

}  // namespace kelcc::core::comm::testing
