#include "cnc_data/numeric_edit.h"

#include <QValidator>

#include "cnc_data/parameter_catalogue.h"
#include "cnc_data/parameter_table_model.h"

namespace kelcc::ui {

namespace {

class ValueRule final : public QValidator {
public:
    ValueRule(const NumericEdit* edit) : QValidator(const_cast<NumericEdit*>(edit)), m_edit(edit) {}

    State validate(QString& input, int&) const override {
        return core::cnc_data::ParameterTableModel::acceptsValueInput(m_edit->number(),
                                                                      input.toStdString())
                   ? Acceptable
                   : Invalid;
    }

private:
    const NumericEdit* m_edit;
};

}  // namespace

NumericEdit::NumericEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new ValueRule(this));
}

void NumericEdit::setNumber(int number) {
    m_number = number;
    const auto rule = core::cnc_data::ParameterCatalogue::constraint(number);
    setMaxLength(rule && rule->digits > 0 ? rule->digits : 32767);
    setReadOnly(!rule);
}

}  // namespace kelcc::ui
