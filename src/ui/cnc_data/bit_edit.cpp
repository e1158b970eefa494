#include "cnc_data/bit_edit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kelcc::ui {

using Control = core::cnc_data::BitValueControl;

BitEdit::BitEdit(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QFont fixed = font();
    fixed.setFamily(QStringLiteral("monospace"));
    fixed.setStyleHint(QFont::Monospace);
    setFont(fixed);
    setCursor(Qt::PointingHandCursor);
}

void BitEdit::setValue(std::uint8_t value) {
    if (m_control.setValue(value)) update();
}

void BitEdit::setText(const QString& text) {
    if (m_control.setText(text.toStdString())) update();
}

QSize BitEdit::sizeHint() const {
    return {characterWidth() * Control::kBits + 8, fontMetrics().height() + 4};
}

int BitEdit::characterWidth() const {
    return fontMetrics().horizontalAdvance(QLatin1Char('0')) + 4;
}

int BitEdit::characterAt(int x) const {
    return std::clamp((x - 4) / characterWidth(), 0, Control::kBits - 1);
}

void BitEdit::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QString digits = text();
    const int width = characterWidth();
    // Character 0 shows BIT7, so the cursor bit b is character 7 - b.
    const int cursorCharacter = Control::kBits - 1 - m_control.cursor();
    for (int i = 0; i < Control::kBits; ++i) {
        const QRect cell(4 + i * width, 0, width, height());
        const bool atCursor = i == cursorCharacter;
        if (atCursor) painter.fillRect(cell, palette().highlight());
        painter.setPen(atCursor ? palette().highlightedText().color() : palette().text().color());
        painter.drawText(cell, Qt::AlignCenter, digits.mid(i, 1));
    }
}

void BitEdit::after(std::uint8_t value, int cursor) {
    update();
    if (m_control.cursor() != cursor) emit cursorMoved(m_control.cursor());
    if (m_control.value() != value) emit toggled(m_control.value());
}

void BitEdit::mousePressEvent(QMouseEvent* event) {
    const auto value = m_control.value();
    const int cursor = m_control.cursor();
    m_control.click(characterAt(event->position().toPoint().x()));
    after(value, cursor);
}

void BitEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    const auto value = m_control.value();
    const int cursor = m_control.cursor();
    m_control.doubleClick(characterAt(event->position().toPoint().x()));
    after(value, cursor);
}

void BitEdit::keyPressEvent(QKeyEvent* event) {
    Control::Key key;
    switch (event->key()) {
        case Qt::Key_Left:
            key = Control::Key::Left;
            break;
        case Qt::Key_Right:
            key = Control::Key::Right;
            break;
        case Qt::Key_Up:
            key = Control::Key::Up;
            break;
        case Qt::Key_Down:
            key = Control::Key::Down;
            break;
        case Qt::Key_PageUp:
            key = Control::Key::PageUp;
            break;
        case Qt::Key_PageDown:
            key = Control::Key::PageDown;
            break;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            key = Control::Key::Tab;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            key = Control::Key::Enter;
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    const auto value = m_control.value();
    const int cursor = m_control.cursor();
    Move move = m_control.key(key);
    if (event->key() == Qt::Key_Backtab) move = Move::PreviousCell;
    after(value, cursor);
    event->accept();
    if (move != Move::None) emit leave(move);
}

bool BitEdit::focusNextPrevChild(bool) {
    // Tab is the control's own key (handed over through leave).
    return false;
}

}  // namespace kelcc::ui
