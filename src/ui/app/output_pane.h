#pragma once

#include <QListWidget>
#include <optional>
#include <utility>

namespace kelcc::ui {

// The output pane "信息输出窗": message lines of the compiler, the search
// and the transfers, shown in order. A double click on a line naming a
// ladder place asks for that place.
class OutputPane final : public QListWidget {
    Q_OBJECT

public:
    explicit OutputPane(QWidget* parent = nullptr);

    void appendLine(const QString& line);
    QStringList lines() const;

    // Row and column (0: none) of a line that names a ladder place: four
    // spaces, a kind word (error, warning, found, in Chinese or English),
    // then the row after the first '(' and the column after a further '('.
    static std::optional<std::pair<int, int>> placeOf(const QString& line);

signals:
    void placeRequested(int row, int column);
};

}  // namespace kelcc::ui
