#pragma once

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QTimer>

namespace kelcc::ui::test {

// Each modal dialog that comes up gets the next text, typed where its focus
// starts and ended with Enter; one that a refused OK left open is closed.
inline void answerDialogs(QStringList texts) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, texts]() mutable {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) return;
        QWidget* field = dialog->focusWidget() ? dialog->focusWidget() : dialog;
        QTest::keyClicks(field, texts.takeFirst());
        QTest::keyClick(field, Qt::Key_Return);
        if (!texts.isEmpty()) return;
        timer->deleteLater();
        QTimer::singleShot(0, dialog, [dialog] {
            if (dialog->isVisible()) dialog->close();
        });
    });
    timer->start(10);
    // Never left to answer the dialogs of a later test.
    QTimer::singleShot(5000, timer, &QObject::deleteLater);
}

}  // namespace kelcc::ui::test
