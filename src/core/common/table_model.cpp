#include "common/table_model.h"

namespace kelcc::core::common {

int TableModel::rowOf(std::string_view key) const {
    for (int row = 0; row < rowCount(); ++row)
        if (text(row, 0) == key) return row;
    return -1;
}

std::vector<int> TableModel::commitOrder() const {
    std::vector<int> order;
    for (int column = 1; column < columnCount(); ++column)
        order.push_back(column);
    return order;
}

}  // namespace kelcc::core::common
