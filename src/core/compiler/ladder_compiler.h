#pragma once

#include "plc/plc_document.h"

namespace kelcc::core::compiler {

// Ladder grid -> instruction list. On success the new IL, step count,
// checksum and network-to-step table are the document's, rows holding only
// vertical links are deleted and the ladder is rebuilt from the IL. On an
// error the IL, step count and ladder stay as they were and the checksum is
// 0. Either way the compile result and warnings are in the document. A
// compile that changed the program or the ladder is one undo step of the
// document (and marks it modified); one that changed nothing is none.
class LadderCompiler final {
public:
    static constexpr int kBlockStackEntries = 29;

    static plc::CompileResult compile(plc::PlcDocument& doc);
};

}  // namespace kelcc::core::compiler
