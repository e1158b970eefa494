#include "comm/link_errors.h"

#include <algorithm>
#include <array>

#include "comm/reply_codes.h"

namespace kelcc::core::comm {
namespace {

struct ErrorRow {
    LinkError code;
    ErrorAction action;
    bool counted;
    const char* message;
};

using A = ErrorAction;
using E = LinkError;

// Codes without a text of their own name their number.
constexpr std::array kErrors{
    ErrorRow{E::None, A::Continue, false, ""},
    ErrorRow{E::HeaderSum, A::Continue, true, "数据校验和错."},
    ErrorRow{E::DataCrc, A::Continue, true, "数据校验和错."},
    ErrorRow{E::StorageFull, A::AbortTransfer, false, "FLASH存储空间满."},
    ErrorRow{E::ProbeTimeout, A::BreakLink, false, "操作超时,断开连接."},
    ErrorRow{E::NoSuchFile, A::AbortTransfer, false, "文件不存在"},
    ErrorRow{E::FileCreate, A::AbortTransfer, false, "读写文件错误."},
    ErrorRow{E::FileRead, A::AbortTransfer, false, "读写文件错误."},
    ErrorRow{E::ControllerRead, A::AbortTransfer, false, "读写文件错误."},
    ErrorRow{E::DncWrite, A::AbortTransfer, false, "读写文件错误."},
    ErrorRow{E::ErrorLimit, A::BreakLink, false, "达到最大错误数,断开连接."},
    ErrorRow{E::OutOfSequence, A::BreakLink, false, "通讯错误 11: 数据帧序号错误"},
    ErrorRow{E::Timeout, A::Continue, false, "操作超时，检测对方状态"},
    ErrorRow{E::ClosedByPeer, A::ClosedByPeer, false, "通讯被另一端取消."},
    ErrorRow{E::BufferOverflow, A::Continue, false, "通讯错误 17: 接收缓冲区溢出"},
    ErrorRow{E::BusyTimeout, A::StatusOnly, false, "通讯错误 18: 等待CNC就绪超时"},
    ErrorRow{E::UnknownAnswer, A::BreakLink, false, "未知的应答数据"},
    ErrorRow{E::Forbidden, A::AbortTransfer, false, "CNC禁止修改文件数据"},
    ErrorRow{E::UnknownFormat, A::AbortTransfer, false, "未知的文件数据格式"},
    ErrorRow{E::NoPermission, A::AbortTransfer, false, "CNC权限不允许文件数据修改"},
    ErrorRow{E::ProgramFormat, A::AbortTransfer, false, "通讯错误 23: 零件程序格式错误"},
    ErrorRow{E::ProgramTooLong, A::AbortTransfer, false, "通讯错误 24: 零件程序长度超过2M字节"},
};

constexpr const ErrorRow* rowOf(LinkError code) noexcept {
    for (const ErrorRow& row : kErrors)
        if (row.code == code) return &row;
    return nullptr;
}

// The error each refusing sub-code raises, per kind of answer.
struct AnswerRow {
    std::uint8_t subCode;
    LinkError ack;
    LinkError list;
    LinkError control;
    LinkError file;
};

constexpr std::array kAnswers{
    AnswerRow{answer_code::kStorageFull, E::UnknownAnswer, E::UnknownAnswer, E::StorageFull,
              E::StorageFull},
    AnswerRow{answer_code::kNoSuchFile, E::UnknownAnswer, E::NoSuchFile, E::UnknownAnswer,
              E::NoSuchFile},
    AnswerRow{answer_code::kCreateFailed, E::UnknownAnswer, E::UnknownAnswer, E::FileCreate,
              E::FileCreate},
    AnswerRow{answer_code::kReadFailed, E::UnknownAnswer, E::UnknownAnswer, E::ControllerRead,
              E::ControllerRead},
    AnswerRow{answer_code::kWriteFailed, E::UnknownAnswer, E::UnknownAnswer, E::FileRead,
              E::FileRead},
    AnswerRow{answer_code::kDncWriteFailed, E::UnknownAnswer, E::UnknownAnswer, E::DncWrite,
              E::DncWrite},
    AnswerRow{ack_code::kForbidden, E::Forbidden, E::UnknownAnswer, E::UnknownAnswer,
              E::UnknownAnswer},
    AnswerRow{ack_code::kUnknownFormat, E::UnknownFormat, E::UnknownAnswer, E::UnknownAnswer,
              E::UnknownAnswer},
    AnswerRow{answer_code::kNoPermission, E::UnknownAnswer, E::NoPermission, E::UnknownAnswer,
              E::NoPermission},
};

}  // namespace

ErrorAction LinkErrors::actionOf(LinkError code) noexcept {
    const ErrorRow* row = rowOf(code);
    return row != nullptr ? row->action : ErrorAction::Continue;
}

bool LinkErrors::counted(LinkError code) noexcept {
    const ErrorRow* row = rowOf(code);
    return row != nullptr && row->counted;
}

std::string LinkErrors::messageOf(LinkError code) {
    const ErrorRow* row = rowOf(code);
    return row != nullptr ? row->message : std::string();
}

LinkError LinkErrors::ofAnswer(Command answer, std::uint8_t subCode) noexcept {
    const auto* row = std::ranges::find(kAnswers, subCode, &AnswerRow::subCode);
    if (row == kAnswers.end()) return LinkError::UnknownAnswer;
    switch (answer) {
        case Command::Ack:
            return row->ack;
        case Command::ListReply:
            return row->list;
        case Command::ControlReply:
            return row->control;
        case Command::FileReply:
            return row->file;
        default:
            return LinkError::UnknownAnswer;
    }
}

}  // namespace kelcc::core::comm
