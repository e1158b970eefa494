#pragma once

#include <QWidget>
#include <cstdint>

#include "cnc_data/bit_value_control.h"

namespace kelcc::ui {

// The value field of a bit parameter: the byte as eight characters, BIT7
// first, with the cursor bit drawn inverted. A click moves the cursor, a
// double click or Enter toggles the bit; keys that leave the byte hand
// over to the owner.
class BitEdit final : public QWidget {
    Q_OBJECT

public:
    using Move = core::cnc_data::BitValueControl::Move;

    explicit BitEdit(QWidget* parent = nullptr);

    std::uint8_t value() const noexcept { return m_control.value(); }
    QString text() const { return QString::fromStdString(m_control.text()); }
    int cursorBit() const noexcept { return m_control.cursor(); }
    void setValue(std::uint8_t value);
    void setText(const QString& text);

    QSize sizeHint() const override;

signals:
    // The user toggled a bit.
    void toggled(std::uint8_t value);
    void cursorMoved(int bit);
    // A key took the cursor off the byte.
    void leave(core::cnc_data::BitValueControl::Move move);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    int characterAt(int x) const;
    int characterWidth() const;
    void after(std::uint8_t value, int cursor);

    core::cnc_data::BitValueControl m_control;
};

}  // namespace kelcc::ui
