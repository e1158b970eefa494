#pragma once

#include <QString>
#include <string>
#include <vector>

#include "ladder_editor/ladder_painter.h"
#include "ladder_editor/print_pagination.h"
#include "plc/plc_document.h"

class QPagedPaintDevice;

namespace kelcc::core::common {
class Interaction;
}

namespace kelcc::ui {

// The printed ladder: pages cut by the core's pagination, each with the
// project header, the rows drawn as on screen and the page footer. The
// printer, the print preview and the PDF of the command-line tool all go
// through print().
class LadderPrintout final {
public:
    // Logical units per page line: the ladder is drawn in screen units and
    // scaled to the page width.
    static constexpr int kHeaderHeight = 90;

    LadderPrintout(const core::plc::PlcDocument& doc, std::string projectName,
                   const LadderPainter::Geometry& geometry = {});

    // The pages for a page of the given logical height.
    std::vector<core::ladder_editor::PrintPage> paginate(int pageHeight) const;

    // Paints every page; returns the number of pages, -1 when painting
    // could not start (the reason goes to `interaction` when given).
    int print(QPagedPaintDevice& device, core::common::Interaction* interaction) const;

    // Writes the printout as an A4 PDF; the page count, or -1 with `error`.
    static int writePdf(const core::plc::PlcDocument& doc, const std::string& projectName,
                        const QString& path, QString& error,
                        const LadderPainter::Geometry& geometry = {});

private:
    void paintPage(QPainter& painter, const core::ladder_editor::PrintPage& page, int number,
                   int pages, int width, int height) const;

    const core::plc::PlcDocument& m_doc;
    std::string m_projectName;
    LadderPainter::Geometry m_geometry;
};

}  // namespace kelcc::ui
