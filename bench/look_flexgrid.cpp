// Renders a list grid set up as the operator list (five columns, coloured headers,
// twenty rows unless told) to a PNG, to look at it as a user would:
//   QT_QPA_PLATFORM=offscreen ./look_flexgrid out.png [data-rows [row [col]]]
// A column other than 0 gives the grid the focus, to show the focus frame.
#include "platform/flexgrid.h"
#include "platform/twips.h"

#include <QApplication>
#include <QFontInfo>
#include <QTextStream>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("flexgrid.png");

    MSFlexGrid grid;
    grid.resize(twips::toPixels(10455), twips::toPixels(4850));

    const QColor teal(0, 128, 128), darkRed(192, 0, 0), white(255, 255, 255);
    const QStringList widths{"420", "1100", "1800", "1800", "3600"};
    const QStringList heads{"序号", " 操作员编号", "操  作  员  姓  名", " 联   系   电   话",
                            " 备                      注"};
    grid.setCols(5);
    grid.setFixedRows(0);
    for (int c = 0; c < 5; ++c) {
        grid.setRow(0);
        grid.setCol(c);
        grid.setCellBackColor(c == 1 || c == 2 ? darkRed : teal);
        grid.setCellForeColor(white);
        grid.setColWidth(c, widths[c].toInt());
        grid.setTextMatrix(0, c, heads[c]);
    }
    const int dataRows = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 20;
    const int row = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 3;
    const int col = argc > 4 ? QString::fromLocal8Bit(argv[4]).toInt() : 0;
    const QStringList names{"张三", "李四", "王五", "赵六", "钱七"};
    for (int i = 1; i <= dataRows; ++i) {
        grid.setRows(grid.rows() + 1);
        grid.setRow(grid.row() + 1);
        grid.setTextMatrix(grid.row(), 0, QString::number(i));
        grid.setTextMatrix(grid.row(), 1, QString::number(758 + i));
        grid.setTextMatrix(grid.row(), 2, names[i % names.size()]);
        if (i % 3)
            grid.setTextMatrix(grid.row(), 3, QStringLiteral("0571-8888%1").arg(i, 4, 10, QChar('0')));
        if (i % 4 == 0)
            grid.setTextMatrix(grid.row(), 4, QStringLiteral("12.50"));
    }
    if (dataRows > 0) {
        grid.setFixedRows(1);
        grid.setTopRow(1);
        grid.setRow(row);
        grid.setCol(col);
    }

    grid.show();
    if (col > 0)
        grid.setFocus();
    app.processEvents();
    grid.grab().save(out);

    QTextStream(stdout) << "font: " << QFontInfo(grid.font()).family() << ' ' << QFontInfo(grid.font()).pixelSize()
                        << "px; visible rows " << grid.visibleRows() << "; viewport " << grid.viewport()->width() << 'x'
                        << grid.viewport()->height() << "; saved " << out << '\n';
    return 0;
}
