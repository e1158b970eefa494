#pragma once

#include <cstdint>

// The sub-codes of the link protocol, named once for both ends of the line
// (the engine and the stand-in controller).
namespace kelcc::core::comm {

// Where a data frame's piece sits in its file.
namespace piece_code {
inline constexpr std::uint8_t kFirst = 0x00;
inline constexpr std::uint8_t kLast = 0x01;
inline constexpr std::uint8_t kFurther = 0x02;
}  // namespace piece_code

// What a file command asks for.
namespace file_op {
inline constexpr std::uint8_t kWrite = 0x01;
inline constexpr std::uint8_t kRead = 0x02;
inline constexpr std::uint8_t kDelete = 0x04;
inline constexpr std::uint8_t kUpload = 0x05;  // the controller offers a file of its own
inline constexpr std::uint8_t kResumeQuestion = 0x06;
inline constexpr std::uint8_t kResumeDecision = 0x07;
}  // namespace file_op

// What a control command says.
namespace control_op {
inline constexpr std::uint8_t kBusy = 0x01;
inline constexpr std::uint8_t kNotBusy = 0x02;
inline constexpr std::uint8_t kHandOver = 0x03;  // the sender gives up the command role
inline constexpr std::uint8_t kTakeRole = 0x04;  // the sender takes it
inline constexpr std::uint8_t kTellWhenReady = 0x10;
}  // namespace control_op

// The state a probe answer (Status frame) reports.
namespace status_code {
inline constexpr std::uint8_t kHandled = 0x00;
inline constexpr std::uint8_t kNotReceived = 0x01;
inline constexpr std::uint8_t kHeaderError = 0x02;
inline constexpr std::uint8_t kDataError = 0x03;
inline constexpr std::uint8_t kBusy = 0x04;
inline constexpr std::uint8_t kBusyNoData = 0x05;
inline constexpr std::uint8_t kBusyOverContinue = 0x06;
inline constexpr std::uint8_t kBusyOverRepeat = 0x07;
inline constexpr std::uint8_t kWantsResume = 0x10;
inline constexpr std::uint8_t kNothingPending = 0x11;
}  // namespace status_code

// The answer an acknowledgement of a data frame carries.
namespace ack_code {
inline constexpr std::uint8_t kTaken = 0x00;
inline constexpr std::uint8_t kCheckError = 0x02;
inline constexpr std::uint8_t kBusy = 0x04;
inline constexpr std::uint8_t kCannotTakeData = 0x05;  // kept, but busy from now on
inline constexpr std::uint8_t kBusyOverContinue = 0x06;
inline constexpr std::uint8_t kBusyOverRepeat = 0x07;
inline constexpr std::uint8_t kResumable = 0x08;
inline constexpr std::uint8_t kForbidden = 0x10;
inline constexpr std::uint8_t kUnknownFormat = 0x11;
}  // namespace ack_code

// Results of the list, file and control answers.
namespace answer_code {
inline constexpr std::uint8_t kDone = 0x00;
inline constexpr std::uint8_t kExists = 0x01;
inline constexpr std::uint8_t kCheckError = 0x02;
inline constexpr std::uint8_t kStorageFull = 0x03;
inline constexpr std::uint8_t kNoSuchFile = 0x04;
inline constexpr std::uint8_t kCannotTakeData = 0x05;
inline constexpr std::uint8_t kCreateFailed = 0x06;
inline constexpr std::uint8_t kReadFailed = 0x07;
inline constexpr std::uint8_t kWriteFailed = 0x08;
inline constexpr std::uint8_t kDncWriteFailed = 0x09;
inline constexpr std::uint8_t kBusyWait = 0x10;  // busy, with the wait time
inline constexpr std::uint8_t kBusy = 0x11;
inline constexpr std::uint8_t kReady = 0x12;
inline constexpr std::uint8_t kReadyAgain = 0x13;  // ready: the command again
inline constexpr std::uint8_t kControlBusyWait = 0x14;
inline constexpr std::uint8_t kNoPermission = 0x15;
}  // namespace answer_code

}  // namespace kelcc::core::comm
