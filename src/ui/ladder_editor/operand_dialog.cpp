#include "ladder_editor/operand_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "app/message_translator.h"
#include "common/interaction.h"
#include "plc/codb_table.h"

namespace kelcc::ui {

using core::common::MessageIcon;
using core::plc::FieldKind;
using core::plc::FormValues;
using core::plc::OperandField;
using core::plc::OperandForm;

namespace {

QString core(std::string_view text) {
    return MessageTranslator::translate(std::string(text));
}

// Fields whose form gives no caption are named here.
QString captionOf(const OperandField& field) {
    if (!field.caption.empty()) return core(field.caption);
    if (field.name == "Type") return OperandDialog::tr("类型");
    if (field.name == "Form") return OperandDialog::tr("形式");
    if (field.name == "Address") return OperandDialog::tr("地址");
    if (field.name == "Label") return OperandDialog::tr("标号");
    if (field.name == "Subprogram") return OperandDialog::tr("子程序");
    return QString::fromLatin1(field.name.data(), static_cast<qsizetype>(field.name.size()));
}

std::string utf8(const QString& text) {
    return text.toStdString();
}

}  // namespace

OperandDialog::OperandDialog(const OperandForm& form, FormValues initial,
                             core::common::Interaction& interaction, QWidget* parent)
    : QDialog(parent), m_form(form), m_interaction(interaction), m_values(std::move(initial)) {
    MessageTranslator::addTemplates({core::plc::kCodbMaxMessage.data()});
    // Field messages with a limit put in are translated by their template.
    for (const auto& field : m_form.fields())
        if (field.message.find('%') != std::string_view::npos)
            MessageTranslator::addTemplates({field.message.data()});
    setWindowTitle(core(m_form.title()));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    layout->addLayout(fields);

    const auto& list = m_form.fields();
    m_values.fields.resize(list.size());
    m_widgets.assign(list.size(), nullptr);
    for (std::size_t i = 0; i < list.size(); ++i) {
        auto* row = new QWidget(this);
        auto* rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        buildField(static_cast<int>(i), list[i], row);
        auto* caption = new QLabel(captionOf(list[i]), this);
        caption->setBuddy(m_widgets[i]);
        fields->addRow(caption, row);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    if (!m_form.data().lookupButton.empty()) {
        m_lookupButton =
            buttons->addButton(core(m_form.data().lookupButton), QDialogButtonBox::ActionRole);
        m_lookupButton->setEnabled(false);
        connect(m_lookupButton, &QPushButton::clicked, this, &OperandDialog::onLookup);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &OperandDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OperandDialog::reject);
    layout->addWidget(buttons);
    refillList();
    // An address typed at once goes into its field (the first text field of
    // every form), and Enter there is OK.
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    for (QWidget* widget : m_widgets) {
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->setFocus();
            edit->selectAll();
            break;
        }
    }
}

void OperandDialog::buildField(int index, const OperandField& field, QWidget* row) {
    const auto at = static_cast<std::size_t>(index);
    auto* layout = row->layout();
    if (!field.prefix.empty()) layout->addWidget(new QLabel(core(field.prefix), row));
    switch (field.kind) {
        case FieldKind::Text:
        case FieldKind::Digits: {
            auto* edit = new QLineEdit(row);
            edit->setMaxLength(static_cast<int>(field.maxChars));
            edit->setText(QString::fromStdString(m_values.fields[at]));
            // Typed text is filtered as the form says: upper case for
            // addresses, nothing but digits for numbers.
            connect(edit, &QLineEdit::textEdited, this, [edit, &field](const QString& typed) {
                const QString kept = QString::fromStdString(OperandForm::Typed(field, utf8(typed)));
                if (kept != typed) {
                    const int cursor = edit->cursorPosition();
                    edit->setText(kept);
                    edit->setCursorPosition(std::min(cursor, static_cast<int>(kept.size())));
                }
            });
            m_widgets[at] = edit;
            layout->addWidget(edit);
            break;
        }
        case FieldKind::Combo: {
            auto* combo = new QComboBox(row);
            for (const auto item : field.items)
                combo->addItem(core(item));
            const int selected = m_form.selected(m_values, index);
            combo->setCurrentIndex(selected < 0 ? 0 : selected);
            connect(combo, &QComboBox::currentIndexChanged, this,
                    [this, index](int) { onComboChanged(index); });
            m_widgets[at] = combo;
            layout->addWidget(combo);
            break;
        }
        case FieldKind::List: {
            m_list = new QListWidget(row);
            m_list->setMinimumHeight(160);
            m_list->setFont(QFont(QStringLiteral("Monospace")));
            connect(m_list, &QListWidget::itemDoubleClicked, this,
                    [this, &field](QListWidgetItem* item) { startListEdit(item, field); });
            m_widgets[at] = m_list;
            layout->addWidget(m_list);
            break;
        }
    }
}

void OperandDialog::setLookup(Lookup lookup) {
    m_lookup = std::move(lookup);
    if (m_lookupButton != nullptr) m_lookupButton->setEnabled(static_cast<bool>(m_lookup));
}

QWidget* OperandDialog::fieldWidget(int field) const {
    if (field < 0 || field >= static_cast<int>(m_widgets.size())) return nullptr;
    return m_widgets[static_cast<std::size_t>(field)];
}

FormValues OperandDialog::values() const {
    FormValues values = m_values;
    const auto& list = m_form.fields();
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (auto* edit = qobject_cast<QLineEdit*>(m_widgets[i])) {
            values.fields[i] = utf8(edit->text());
        } else if (auto* combo = qobject_cast<QComboBox*>(m_widgets[i])) {
            const int item = combo->currentIndex();
            values.fields[i] = item >= 0
                                   ? std::string(list[i].items[static_cast<std::size_t>(item)])
                                   : std::string();
        }
    }
    return values;
}

void OperandDialog::onComboChanged(int field) {
    if (m_filling) return;
    m_values = values();
    m_form.comboChanged(m_values, field);
    refillList();
}

void OperandDialog::refillList() {
    if (m_list == nullptr) return;
    m_list->clear();
    for (std::size_t i = 0; i < m_values.list.size(); ++i)
        m_list->addItem(QString::fromStdString(core::plc::CodbTableLine(i, m_values.list[i])));
}

void OperandDialog::startListEdit(QListWidgetItem* item, const OperandField& field) {
    finishListEdit(true);
    m_editedEntry = m_list->row(item);
    m_entryEditor = new QLineEdit(m_list->viewport());
    // One more than allowed, so that a too long entry is refused with its
    // message rather than cut silently.
    m_entryEditor->setMaxLength(static_cast<int>(field.maxChars) + 1);
    m_entryEditor->setText(
        QString::fromStdString(m_values.list[static_cast<std::size_t>(m_editedEntry)]));
    m_entryEditor->setGeometry(m_list->visualItemRect(item));
    m_entryEditor->selectAll();
    // Enter and Escape end the entry's edit, not the dialog.
    m_entryEditor->installEventFilter(this);
    m_entryEditor->show();
    m_entryEditor->setFocus();
    connect(m_entryEditor, &QLineEdit::editingFinished, this, [this, editor = m_entryEditor] {
        if (editor == m_entryEditor) finishListEdit(true);
    });
}

void OperandDialog::finishListEdit(bool keep) {
    if (m_entryEditor == nullptr) return;
    QLineEdit* editor = std::exchange(m_entryEditor, nullptr);
    editor->hide();
    editor->deleteLater();
    if (keep) editListEntry(m_editedEntry, editor->text());
}

bool OperandDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_entryEditor && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            finishListEdit(key != Qt::Key_Escape);
            m_list->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void OperandDialog::editListEntry(int entry, const QString& typed) {
    if (entry < 0 || entry >= static_cast<int>(m_values.list.size())) return;
    const auto message =
        m_form.editListEntry(m_values, static_cast<std::size_t>(entry), utf8(typed));
    if (m_list != nullptr) {
        m_list->item(entry)->setText(QString::fromStdString(core::plc::CodbTableLine(
            static_cast<std::size_t>(entry), m_values.list[static_cast<std::size_t>(entry)])));
    }
    if (message)
        m_interaction.inform(*message, core::common::kMessageCaption, MessageIcon::Warning);
}

void OperandDialog::onLookup() {
    if (!m_lookup) return;
    m_lookupUsed = true;
    const FormValues current = values();
    const std::string number = current.fields.empty() ? std::string() : current.fields[0];
    if (m_lookup(number) == LookupStep::Finished) reject();
}

void OperandDialog::accept() {
    finishListEdit(true);
    // After a lookup the instruction stays as it was.
    if (m_lookupUsed) {
        reject();
        return;
    }
    m_values = values();
    m_result = m_form.validate(m_values);
    if (!m_result.ok) {
        m_interaction.inform(m_result.message, core::common::kMessageCaption, MessageIcon::Warning);
        if (QWidget* focus = fieldWidget(m_result.field)) focus->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace kelcc::ui
