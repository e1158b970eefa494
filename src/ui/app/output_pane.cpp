#include "app/output_pane.h"

#include <QFontDatabase>

namespace kelcc::ui {

namespace {

// The leading decimal number at `from`, as the controller's tools read it:
// no digits give 0.
int numberAt(const QString& line, qsizetype from) {
    int value = 0;
    for (qsizetype i = from; i < line.size() && line[i].isDigit() && value < 1000000; ++i)
        value = value * 10 + line[i].digitValue();
    return value;
}

}  // namespace

OutputPane::OutputPane(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (const auto place = placeOf(item->text()))
            emit placeRequested(place->first, place->second);
    });
}

void OutputPane::appendLine(const QString& line) {
    addItem(line);
    scrollToBottom();
}

QStringList OutputPane::lines() const {
    QStringList list;
    for (int i = 0; i < count(); ++i)
        list.append(item(i)->text());
    return list;
}

std::optional<std::pair<int, int>> OutputPane::placeOf(const QString& line) {
    static const QString kKinds[] = {QStringLiteral("错误"),    QStringLiteral("警告"),
                                     QStringLiteral("找到"),    QStringLiteral("Error"),
                                     QStringLiteral("Warning"), QStringLiteral("Found")};
    const QString indent = QStringLiteral("    ");
    if (!line.startsWith(indent)) return std::nullopt;
    bool kind = false;
    for (const QString& word : kKinds)
        kind = kind || line.mid(indent.size()).startsWith(word);
    if (!kind) return std::nullopt;
    const qsizetype first = line.indexOf(u'(');
    if (first < 0) return std::nullopt;
    const int row = numberAt(line, first + 1);
    // A line without a row (an error of the whole program) names no place.
    if (row <= 0) return std::nullopt;
    const qsizetype second = line.indexOf(u'(', first + 1);
    return std::pair{row, second < 0 ? 0 : numberAt(line, second + 1)};
}

}  // namespace kelcc::ui
