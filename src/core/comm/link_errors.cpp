#include "comm/link_errors.h"

namespace kelcc::core::comm {

ErrorAction LinkErrors::actionOf(LinkError code) noexcept {
    switch (code) {
        case LinkError::StorageFull:
        case LinkError::NoSuchFile:
        case LinkError::FileCreate:
        case LinkError::FileRead:
        case LinkError::ControllerRead:
        case LinkError::DncWrite:
        case LinkError::Forbidden:
        case LinkError::UnknownFormat:
        case LinkError::NoPermission:
        case LinkError::ProgramFormat:
        case LinkError::ProgramTooLong:
            return ErrorAction::AbortTransfer;
        case LinkError::ProbeTimeout:
        case LinkError::ErrorLimit:
        case LinkError::OutOfSequence:
        case LinkError::UnknownAnswer:
            return ErrorAction::BreakLink;
        case LinkError::ClosedByPeer:
            return ErrorAction::ClosedByPeer;
        case LinkError::BusyTimeout:
            return ErrorAction::StatusOnly;
        case LinkError::None:
        case LinkError::HeaderSum:
        case LinkError::DataCrc:
        case LinkError::Timeout:
        case LinkError::BufferOverflow:
            return ErrorAction::Continue;
    }
    return ErrorAction::Continue;
}

std::string LinkErrors::messageOf(LinkError code) {
    switch (code) {
        case LinkError::HeaderSum:
        case LinkError::DataCrc:
            return "数据校验和错.";
        case LinkError::StorageFull:
            return "FLASH存储空间满.";
        case LinkError::ProbeTimeout:
            return "操作超时,断开连接.";
        case LinkError::NoSuchFile:
            return "文件不存在";
        case LinkError::FileCreate:
        case LinkError::FileRead:
        case LinkError::ControllerRead:
        case LinkError::DncWrite:
            return "读写文件错误.";
        case LinkError::ErrorLimit:
            return "达到最大错误数,断开连接.";
        case LinkError::Timeout:
            return "操作超时，检测对方状态";
        case LinkError::ClosedByPeer:
            return "通讯被另一端取消.";
        case LinkError::UnknownAnswer:
            return "未知的应答数据";
        case LinkError::Forbidden:
            return "CNC禁止修改文件数据";
        case LinkError::UnknownFormat:
            return "未知的文件数据格式";
        case LinkError::NoPermission:
            return "CNC权限不允许文件数据修改";
        // Codes without a text of their own name their number.
        case LinkError::OutOfSequence:
            return "通讯错误 11: 数据帧序号错误";
        case LinkError::BufferOverflow:
            return "通讯错误 17: 接收缓冲区溢出";
        case LinkError::BusyTimeout:
            return "通讯错误 18: 等待CNC就绪超时";
        case LinkError::ProgramFormat:
            return "通讯错误 23: 零件程序格式错误";
        case LinkError::ProgramTooLong:
            return "通讯错误 24: 零件程序长度超过2M字节";
        case LinkError::None:
            return {};
    }
    return {};
}

LinkError LinkErrors::ofAnswer(Command answer, std::uint8_t subCode) noexcept {
    const bool list = answer == Command::ListReply;
    const bool file = answer == Command::FileReply;
    switch (subCode) {
        case 3:
            return list ? LinkError::UnknownAnswer : LinkError::StorageFull;
        case 4:
            return list || file ? LinkError::NoSuchFile : LinkError::UnknownAnswer;
        case 6:
            return list ? LinkError::UnknownAnswer : LinkError::FileCreate;
        case 7:
            return list ? LinkError::UnknownAnswer : LinkError::ControllerRead;
        case 8:
            return list ? LinkError::UnknownAnswer : LinkError::FileRead;
        case 9:
            return list ? LinkError::UnknownAnswer : LinkError::DncWrite;
        case 0x15:
            return list || file ? LinkError::NoPermission : LinkError::UnknownAnswer;
        default:
            return LinkError::UnknownAnswer;
    }
}

}  // namespace kelcc::core::comm
