#include "ladder_editor/ladder_printout.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "app/message_translator.h"
#include "common/interaction.h"
#include "ladder_editor/row_layout.h"

namespace kelcc::ui {

using core::ladder_editor::PrintPage;
using core::ladder_editor::PrintPagination;
using core::ladder_editor::RowLayout;

namespace {

constexpr std::size_t kMaxHeaderNameChars = 40;

QFont pageFont(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

}  // namespace

LadderPrintout::LadderPrintout(const core::plc::PlcDocument& doc, std::string projectName,
                               const LadderPainter::Geometry& geometry)
    : m_doc(doc), m_projectName(std::move(projectName)), m_geometry(geometry) {
    MessageTranslator::addTemplates({"第%1页/共%2页", "KELCC工程-%1 PLC梯形图程序"});
}

std::vector<PrintPage> LadderPrintout::paginate(int pageHeight) const {
    const auto& grid = m_doc.grid();
    const int last = grid.lastUsedRow();
    std::vector<int> heights(static_cast<std::size_t>(last) + 1, 0);
    for (int row = 1; row <= last; ++row)
        heights[static_cast<std::size_t>(row)] = RowLayout::unitsOfRow(grid, row) * m_geometry.unit;
    return PrintPagination::paginate(heights, grid.divideNetworks(),
                                     {.printableHeight = pageHeight, .topMargin = kHeaderHeight});
}

int LadderPrintout::print(QPagedPaintDevice& device, core::common::Interaction* interaction) const {
    QPainter painter;
    if (!painter.begin(&device)) {
        if (interaction != nullptr)
            interaction->inform(PrintPagination::kInitErrorText, core::common::kMessageCaption,
                                core::common::MessageIcon::Stop);
        return -1;
    }
    // Screen units scaled so that the ladder with its comments fills the
    // page width.
    const int logicalWidth = m_geometry.width() + 20;
    const double scale = static_cast<double>(device.width()) / logicalWidth;
    const int logicalHeight = static_cast<int>(device.height() / scale);
    const auto pages = paginate(logicalHeight);
    const int count = std::max<int>(1, static_cast<int>(pages.size()));
    painter.scale(scale, scale);
    for (int i = 0; i < count; ++i) {
        if (i > 0) device.newPage();
        const PrintPage page = pages.empty() ? PrintPage{} : pages[static_cast<std::size_t>(i)];
        paintPage(painter, page, i + 1, count, logicalWidth, logicalHeight);
    }
    painter.end();
    return count;
}

void LadderPrintout::paintPage(QPainter& painter, const PrintPage& page, int number, int pages,
                               int width, int height) const {
    painter.setPen(Qt::black);
    painter.setFont(pageFont(22, true));
    const QString header =
        MessageTranslator::translate(PrintPagination::header(m_projectName, kMaxHeaderNameChars));
    painter.drawText(QRect(0, 10, width, 40), Qt::AlignLeft | Qt::AlignVCenter, header);
    painter.drawLine(0, 56, width, 56);

    if (page.firstRow >= 1) {
        LadderPainter ladder(m_doc, m_geometry);
        ladder.paintRows(painter, page.firstRow, page.lastRow, kHeaderHeight,
                         [this](int row) { return RowLayout::unitsOfRow(m_doc.grid(), row); });
    }

    // The footer lives in the reserve below the usable height.
    const int footerTop = height - PrintPagination::kBottomReserve + 30;
    painter.setPen(Qt::black);
    painter.drawLine(0, footerTop, width, footerTop);
    painter.setFont(pageFont(20));
    painter.drawText(QRect(0, footerTop + 8, width, 36), Qt::AlignHCenter | Qt::AlignVCenter,
                     MessageTranslator::translate(PrintPagination::footer(number, pages)));
}

int LadderPrintout::writePdf(const core::plc::PlcDocument& doc, const std::string& projectName,
                             const QString& path, QString& error,
                             const LadderPainter::Geometry& geometry) {
    QPdfWriter writer(path);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    writer.setResolution(300);
    writer.setTitle(QStringLiteral("KELCC"));
    LadderPrintout printout(doc, projectName, geometry);
    const int pages = printout.print(writer, nullptr);
    if (pages < 0)
        error = QCoreApplication::translate("LadderPrintout", "PDF文件写入失败: %1").arg(path);
    return pages;
}

}  // namespace kelcc::ui
