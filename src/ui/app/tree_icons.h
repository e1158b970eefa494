#pragma once

#include <QIcon>

namespace kelcc::ui {

// The project tree's 16 x 16 images, drawn once, by image number.
class TreeIcons final {
public:
    static QIcon icon(int image);

private:
    static QPixmap draw(int image);
};

}  // namespace kelcc::ui
