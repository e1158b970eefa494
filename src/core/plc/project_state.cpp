#include "project_state.h"

namespace kelcc::core::plc {

std::string SimpleProjectState::plcInfo(int index) const {
    return index >= 0 && index < kInfoTexts ? m_info[index] : std::string();
}

void SimpleProjectState::setPlcInfo(int index, std::string text) {
    if (index >= 0 && index < kInfoTexts) m_info[index] = std::move(text);
}

}  // namespace kelcc::core::plc
