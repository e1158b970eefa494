#include "app/document_window.h"

#include <utility>

#include "app/workbench.h"
#include "common/interaction.h"

namespace kelcc::ui {

using core::common::Answer;
using core::common::MessageIcon;

DocumentWindow::DocumentWindow(Workbench& workbench, std::string path,
                               core::app::ProjectItemType type, QWidget* parent)
    : QWidget(parent), m_workbench(workbench), m_path(std::move(path)), m_type(type) {}

bool DocumentWindow::queryClose() {
    if (!isModified()) return true;
    const Answer answer = m_workbench.interaction().ask("文件数据已被改变,保存文件吗?", "关闭窗口",
                                                        {Answer::Yes, Answer::No, Answer::Cancel},
                                                        MessageIcon::Question);
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::No) {
        setModified(false);
        return true;
    }
    return saveSilently();
}

}  // namespace kelcc::ui
