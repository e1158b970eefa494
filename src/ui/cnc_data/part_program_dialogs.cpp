#include "cnc_data/part_program_dialogs.h"

#include <QDialog>
#include <utility>

namespace kelcc::ui {

PartProgramDialogs::Runner& PartProgramDialogs::runner() {
    static Runner current;
    return current;
}

int PartProgramDialogs::exec(QDialog& dialog) {
    return runner() ? runner()(dialog) : dialog.exec();
}

void PartProgramDialogs::setRunner(Runner runner) {
    PartProgramDialogs::runner() = std::move(runner);
}

}  // namespace kelcc::ui
