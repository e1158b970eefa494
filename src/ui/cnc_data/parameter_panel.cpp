#include "cnc_data/parameter_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "cnc_data/bit_edit.h"
#include "cnc_data/bit_parameter_texts.h"
#include "cnc_data/numeric_edit.h"

namespace kelcc::ui {

using core::cnc_data::BitParameterTexts;
using core::cnc_data::ParameterCatalogue;
using core::cnc_data::ParameterKind;

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
}

}  // namespace

ParameterPanel::ParameterPanel(core::cnc_data::ParameterTableModel& model, QWidget* parent)
    : QWidget(parent), m_model(model) {
    m_title = new QLabel(this);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_description = new QLabel(this);
    m_description->setWordWrap(true);
    m_editors = new QStackedWidget(this);

    auto* bitPage = new QWidget(m_editors);
    auto* bitLayout = new QGridLayout(bitPage);
    bitLayout->setContentsMargins(0, 0, 0, 0);
    // The descriptions name their bit themselves ("BIT7:..."), BIT7 first.
    for (int i = 0; i < 8; ++i) {
        auto* label = new QLabel(bitPage);
        m_bitLabels[static_cast<std::size_t>(7 - i)] = label;
        bitLayout->addWidget(label, i, 0);
    }
    m_bits = new BitEdit(bitPage);
    bitLayout->addWidget(m_bits, 8, 0, Qt::AlignLeft);
    bitLayout->setRowStretch(9, 1);
    auto* valuePage = new QWidget(m_editors);
    auto* valueLayout = new QVBoxLayout(valuePage);
    valueLayout->setContentsMargins(0, 0, 0, 0);
    m_value = new NumericEdit(valuePage);
    m_value->setMaximumWidth(m_value->fontMetrics().horizontalAdvance(QStringLiteral("-99999999")) +
                             16);
    valueLayout->addWidget(m_value);
    valueLayout->addStretch(1);
    m_editors->addWidget(bitPage);
    m_editors->addWidget(valuePage);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_description);
    layout->addWidget(m_editors);
    layout->addStretch(1);

    connect(m_bits, &BitEdit::toggled, this,
            [this] { m_model.setValue(m_number, m_bits->text().toStdString()); });
    connect(m_bits, &BitEdit::cursorMoved, this, &ParameterPanel::markCursorBit);
    connect(m_value, &QLineEdit::editingFinished, this, [this] {
        if (m_value->isReadOnly()) return;
        m_model.setValue(m_number, m_value->text().toStdString());
        m_value->setText(QString::fromStdString(m_model.table().value(m_number)));
    });
    showParameter(0);
}

void ParameterPanel::showParameter(int number) {
    m_number = number;
    const ParameterKind kind = ParameterCatalogue::slot(number).kind;
    setVisible(kind != ParameterKind::Empty);
    if (kind == ParameterKind::Empty) return;
    const auto language = m_model.language();
    m_title->setText(QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0')));
    if (kind == ParameterKind::Bit) {
        const int index = ParameterCatalogue::slot(number).index;
        m_description->setText(fromUtf8(ParameterCatalogue::description(number, language)));
        for (int bit = 0; bit < 8; ++bit)
            bitLabel(bit)->setText(fromUtf8(BitParameterTexts::description(index, bit, language)));
        m_editors->setCurrentIndex(0);
    } else {
        m_description->setText(fromUtf8(ParameterCatalogue::description(number, language)));
        m_value->setNumber(number);
        m_editors->setCurrentIndex(1);
    }
    refresh();
}

void ParameterPanel::refresh() {
    const ParameterKind kind = ParameterCatalogue::slot(m_number).kind;
    const QString value = QString::fromStdString(m_model.table().value(m_number));
    if (kind == ParameterKind::Bit) {
        m_bits->setText(value);
        markCursorBit(m_bits->cursorBit());
    } else if (kind == ParameterKind::Data && !m_value->hasFocus()) {
        m_value->setText(value);
    }
}

void ParameterPanel::markCursorBit(int cursor) {
    for (int bit = 0; bit < 8; ++bit) {
        QFont font = bitLabel(bit)->font();
        font.setBold(bit == cursor);
        bitLabel(bit)->setFont(font);
    }
}

}  // namespace kelcc::ui
