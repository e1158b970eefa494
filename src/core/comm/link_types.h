#pragma once

#include <cstdint>
#include <vector>

namespace kelcc::core::comm {

// Command byte of a frame. A data frame carries 0x00, or 0x80 when the
// controller marks the last frame of an upload it started itself.
enum class Command : std::uint8_t {
    Data = 0x00,
    DataLast = 0x80,
    Ack = 0x10,
    Probe = 0x20,
    Status = 0x30,
    Disconnect = 0x40,
    DisconnectReply = 0x41,
    Nak = 0x50,
    List = 0x61,
    ListReply = 0x71,
    File = 0x62,
    FileReply = 0x72,
    Control = 0x64,
    ControlReply = 0x74,
};

enum class LinkState : std::uint32_t {
    Idle = 1,
    Connecting = 2,
    Ready = 3,
    Transfer = 4,
    Probing = 5,
    Closing = 6,
};

enum class Role : std::uint8_t {
    MasterPc = 1,
    MasterCnc = 16,
};

enum class SentKind : std::uint8_t {
    None = 0,
    Data = 1,
    Reply = 2,
    Command = 3,
    Nak = 4,
};

// Where received data frames go.
enum class ReceiveMode : std::uint8_t {
    None = 0,
    File = 1,
    Text = 2,
};

enum class LinkError : std::int32_t {
    None = 0,
    HeaderSum = 1,
    DataCrc = 2,
    StorageFull = 3,
    ProbeTimeout = 4,
    NoSuchFile = 5,
    FileCreate = 6,
    FileRead = 7,
    ControllerRead = 8,
    DncWrite = 9,
    ErrorLimit = 10,
    OutOfSequence = 11,
    Timeout = 12,
    ClosedByPeer = 13,
    BufferOverflow = 17,
    BusyTimeout = 18,
    UnknownAnswer = 19,
    Forbidden = 20,
    UnknownFormat = 21,
    NoPermission = 22,
    ProgramFormat = 23,
    ProgramTooLong = 24,
};

enum class ErrorAction : std::int32_t {
    Continue = 0,
    AbortTransfer = 1,
    BreakLink = 2,
    ClosedByPeer = 3,
    StatusOnly = 4,
};

enum class LinkEvent : std::int32_t {
    AllSent = 4,
    TotalSize = 5,
    Accepted = 6,
    StatusText = 8,
    Busy = 9,
    DeletedFirst = 11,
    DeleteFirst = 12,
    UploadStarted = 13,
    NothingPending = 15,
    AllReceived = 16,
    UploadComplete = 20,
    PcHasControl = 25,
    CncHasControl = 31,
};

// Values of LinkEvent::StatusText.
inline constexpr std::uint32_t kStatusSendingFileCommand = 1;
inline constexpr std::uint32_t kStatusSendingData = 2;
inline constexpr std::uint32_t kStatusSendingDownload = 3;
inline constexpr std::uint32_t kStatusReceivingData = 4;

// Values of LinkEvent::Busy.
inline constexpr std::uint32_t kBusy = 1;
inline constexpr std::uint32_t kNotBusy = 2;

// One frame as it travels, without start byte, length, sums and CRC.
struct Frame {
    std::uint8_t sequence = 0;
    std::uint8_t command = 0;
    std::uint8_t subCode = 0;
    std::vector<std::uint8_t> data;
};

}  // namespace kelcc::core::comm
