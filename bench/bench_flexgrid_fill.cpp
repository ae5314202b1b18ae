// Fills a list grid with 100,000 rows of 7 columns in the ways the list windows
// do, and reports the median time of several runs, the peak memory of the process
// and the time to paint a scrolled page. Run by hand:
//   QT_QPA_PLATFORM=offscreen ./bench_flexgrid_fill [texts|matrix|rowbyrow|additem|cleardown|scroll]
// With no argument every case runs; name one case to see its own peak memory.
#include "platform/flexgrid.h"
#include "platform/twips.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 7;
constexpr int kRuns = 5;

QString statusField(const char *name)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    const QByteArray key = QByteArray(name) + ':';
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(key))
            return QString::fromLatin1(line.mid(key.size()).trimmed());
    }
    return QStringLiteral("?");
}

// Fresh texts for one record, as a fill formats them from the fields of a row.
void recordTexts(int i, QString *cells)
{
    cells[0] = QString::number(i);
    cells[1] = QStringLiteral("2024-%1-%2").arg(1 + i % 12, 2, 10, QChar('0')).arg(1 + i % 28, 2, 10, QChar('0'));
    cells[2] = QString::number(1000 + i / 3);
    cells[3] = QStringLiteral("管理费用—办公费%1").arg(i % 50);
    cells[4] = i % 2 ? QString::number(i * 1.25, 'f', 2) : QString();
    cells[5] = i % 2 ? QString() : QString::number(i * 0.75, 'f', 2);
    cells[6] = i % 7 ? QString() : QStringLiteral("备注%1").arg(i);
}

std::unique_ptr<MSFlexGrid> newGrid()
{
    auto g = std::make_unique<MSFlexGrid>();
    g->resize(twips::toPixels(10455), twips::toPixels(4850));
    g->setCols(kCols);
    const int widths[kCols] = {420, 1100, 800, 3600, 1500, 1500, 1000};
    for (int c = 0; c < kCols; ++c) {
        g->setColWidth(c, widths[c]);
        g->setTextMatrix(0, c, QStringLiteral("H%1").arg(c));
    }
    g->show();
    QApplication::processEvents();
    return g;
}

void finish(MSFlexGrid &g)
{
    g.setFixedRows(1);
    g.setTopRow(1);
    g.setRow(1);
    g.setCol(0);
    QApplication::processEvents(); // scroll bars and the first paint
}

void fillByMatrix(MSFlexGrid &g)
{
    QString cells[kCols];
    g.setRows(kRows + 1);
    for (int i = 1; i <= kRows; ++i) {
        recordTexts(i, cells);
        for (int c = 0; c < kCols; ++c)
            g.setTextMatrix(i, c, cells[c]);
    }
    finish(g);
}

// The windows' own fill: one row added and made current per record, with a
// handler on the cell notices as the in-grid editing has.
void fillRowByRow(MSFlexGrid &g)
{
    int notices = 0;
    QObject::connect(&g, &MSFlexGrid::enterCell, &g, [&notices] { ++notices; });
    QObject::connect(&g, &MSFlexGrid::rowColChange, &g, [&notices] { ++notices; });
    QString cells[kCols];
    g.setFixedRows(0);
    for (int i = 1; i <= kRows; ++i) {
        recordTexts(i, cells);
        g.setRows(g.rows() + 1);
        g.setRow(g.row() + 1);
        for (int c = 0; c < kCols; ++c) {
            if (!cells[c].isEmpty())
                g.setTextMatrix(g.row(), c, cells[c]);
        }
    }
    finish(g);
}

QString itemText(const QString *cells)
{
    QString item = cells[0];
    for (int c = 1; c < kCols; ++c) {
        item += QLatin1Char('\t');
        item += cells[c];
    }
    return item;
}

void fillByAddItem(MSFlexGrid &g)
{
    QString cells[kCols];
    for (int i = 1; i <= kRows; ++i) {
        recordTexts(i, cells);
        g.addItem(itemText(cells));
    }
    finish(g);
}

// What the fills spend on making their texts, without a grid.
void textsOnly(bool asItems)
{
    QString cells[kCols];
    qsizetype sink = 0;
    for (int i = 1; i <= kRows; ++i) {
        recordTexts(i, cells);
        sink += asItems ? itemText(cells).size() : cells[3].size();
    }
    if (sink == 42)
        QTextStream(stdout) << "";
}

double medianMs(const std::function<void()> &prepare, const std::function<void()> &work)
{
    std::vector<double> ms;
    for (int run = 0; run < kRuns; ++run) {
        prepare();
        QElapsedTimer t;
        t.start();
        work();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void report(const QString &name, double ms)
{
    QTextStream(stdout) << name.leftJustified(40) << QString::number(ms, 'f', 1) << " ms median of " << kRuns
                        << "   peak RSS " << statusField("VmHWM") << '\n';
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    auto wanted = [&only](const char *name) { return only.isEmpty() || only == QLatin1String(name); };
    QTextStream(stdout) << "100000 rows x 7 columns; before filling: RSS " << statusField("VmRSS") << ", peak "
                        << statusField("VmHWM") << '\n';

    std::unique_ptr<MSFlexGrid> g;
    auto fresh = [&g] {
        g.reset();
        g = newGrid();
    };

    if (wanted("texts")) {
        report("(texts alone, no grid)", medianMs([] {}, [] { textsOnly(false); }));
        report("(tab-joined item texts alone, no grid)", medianMs([] {}, [] { textsOnly(true); }));
    }
    if (wanted("matrix"))
        report("setRows once + setTextMatrix", medianMs(fresh, [&g] { fillByMatrix(*g); }));
    if (wanted("rowbyrow"))
        report("Rows+1, Row+1, TextMatrix per record", medianMs(fresh, [&g] { fillRowByRow(*g); }));
    if (wanted("additem"))
        report("AddItem per record", medianMs(fresh, [&g] { fillByAddItem(*g); }));
    if (wanted("cleardown")) {
        // Refilling a full list begins by removing row 1 once per data row.
        auto full = [&] {
            fresh();
            fillByMatrix(*g);
        };
        report("clear-down: RemoveItem(1) x 100000", medianMs(full, [&g] {
                   g->setFixedRows(0);
                   for (int i = 0; i < kRows; ++i)
                       g->removeItem(1);
                   QApplication::processEvents();
               }));
    }
    if (wanted("scroll")) {
        fresh();
        fillByMatrix(*g);
        constexpr int kFrames = 300;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < kFrames; ++i) {
            g->setTopRow(1 + int((qint64(i) * 7919) % kRows));
            g->viewport()->repaint();
        }
        QTextStream(stdout) << QStringLiteral("scroll: jump and repaint a page").leftJustified(40)
                            << QString::number(double(t.nsecsElapsed()) / 1e6 / kFrames, 'f', 3) << " ms per frame\n";
    }
    g.reset();
    return 0;
}
