#pragma once

#include <functional>

class QDialog;

namespace kelcc::ui {

// Runs the modal dialogs of the part-program commands. Tests put in a
// runner that fills in and closes the dialog instead of a user.
class PartProgramDialogs final {
public:
    // Gets the dialog before it is shown; returns its result code.
    using Runner = std::function<int(QDialog& dialog)>;

    static int exec(QDialog& dialog);
    // An empty runner brings back the real modal loop.
    static void setRunner(Runner runner);

private:
    static Runner& runner();
};

}  // namespace kelcc::ui
