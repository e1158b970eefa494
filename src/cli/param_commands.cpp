#include "param_commands.h"

#include <cstdio>

#include "cnc_data/parameter_table_model.h"
#include "common/interaction.h"
#include "common/table_text.h"

namespace kelcc::cli {
namespace {

using core::cnc_data::ParameterCatalogue;
using core::cnc_data::ParameterDocument;
using core::cnc_data::ParameterKind;
using core::cnc_data::ParameterTableModel;
using core::common::Language;

constexpr const char* kUsage =
    "kelcc-cli: params get PROJECT.gpr NUMBER | params set PROJECT.gpr NUMBER VALUE | "
    "params dump PROJECT.gpr [--english]\n";

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

void report(const core::common::RecordingInteraction& ui) {
    for (const auto& message : ui.messages())
        std::fprintf(stderr, "kelcc-cli: %s\n", message.text.c_str());
}

// 1-200 written with or without leading zeros.
int numberOf(const std::string& text) {
    if (text.empty() || text.size() > 4) return 0;
    int number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return 0;
        number = number * 10 + (c - '0');
    }
    return number >= ParameterCatalogue::kFirstNumber && number <= ParameterCatalogue::kLastNumber
               ? number
               : 0;
}

}  // namespace

int ParamCommands::run(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    Language language = Language::Chinese;
    for (const std::string& arg : args) {
        if (arg == "--english")
            language = Language::English;
        else
            positional.push_back(arg);
    }
    const std::string verb = positional.empty() ? std::string() : positional[0];
    const std::size_t wanted = verb == "dump" ? 2 : verb == "get" ? 3 : verb == "set" ? 4 : 0;
    if (wanted == 0 || positional.size() != wanted) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string folder = folderOf(positional[1]);
    core::common::RecordingInteraction ui;
    ParameterDocument doc;
    if (!doc.open(folder, ui)) {
        report(ui);
        return 2;
    }
    ParameterTableModel model(doc, language);

    if (verb == "dump") {
        core::common::TableText::Rows rows{{"number", "value", "description"}};
        for (int number = 1; number <= ParameterCatalogue::kLastNumber; ++number) {
            if (ParameterCatalogue::slot(number).kind == ParameterKind::Empty) continue;
            rows.push_back({model.text(model.rowOfNumber(number), 0), model.table().value(number),
                            std::string(ParameterCatalogue::description(number, language))});
        }
        std::fputs(core::common::TableText::writeCsv(rows).c_str(), stdout);
        return 0;
    }

    const int number = numberOf(positional[2]);
    if (number == 0 || ParameterCatalogue::slot(number).kind == ParameterKind::Empty) {
        std::fprintf(stderr, "kelcc-cli: no parameter '%s' (0001-0200)\n", positional[2].c_str());
        return 2;
    }
    if (verb == "get") {
        std::printf("%s\n", model.table().value(number).c_str());
        return 0;
    }
    const std::string& typed = positional[3];
    if (!model.table().editable(number)) {
        std::fprintf(stderr, "kelcc-cli: parameter %04d cannot be set\n", number);
        return 1;
    }
    // What the window's field could not be typed with is refused; the rest
    // is normalised as on leaving the field.
    if (typed.empty() || !ParameterTableModel::acceptsValueInput(number, typed)) {
        const auto rule = ParameterCatalogue::constraint(number);
        std::fprintf(stderr, "kelcc-cli: value '%s' refused for %04d (%s, at most %d characters)\n",
                     typed.c_str(), number,
                     ParameterCatalogue::slot(number).kind == ParameterKind::Bit
                         ? "'0' and '1'"
                         : "digits and a leading '-' where the range is negative",
                     rule ? rule->digits : 0);
        return 1;
    }
    model.setValue(number, typed);
    const std::string& stored = model.table().value(number);
    if (stored != typed) {
        const std::string range = ParameterCatalogue::rangeText(number);
        std::fprintf(stderr, "kelcc-cli: %04d: '%s' stored as '%s'%s%s%s\n", number, typed.c_str(),
                     stored.c_str(), range.empty() ? "" : " (", range.c_str(),
                     range.empty() ? "" : ")");
    }
    if (doc.modified() && !doc.save(folder, ui)) {
        report(ui);
        return 2;
    }
    std::printf("%s\n", stored.c_str());
    return 0;
}

}  // namespace kelcc::cli
