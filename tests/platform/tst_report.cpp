#include "platform/report/reportfit.h"
#include "platform/report/reportfont.h"
#include "platform/report/reportlayout.h"
#include "platform/report/reportpaint.h"
#include "platform/report/reportpreview.h"
#include "reportpages.h"
#include "sample_voucher_report.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace platform::report;
using testsupport::voucherListReport;
using testsupport::voucherRows;

using testsupport::text;
using testsupport::texts;

namespace {

// Where the voucher list's bands fall on A4 with the default margins of 1440 twips:
// a page header of 1665, rows of 465, a page footer of 558.
constexpr int kMargin = 1440;
constexpr int kRowHeight = 465;
constexpr int kFirstRowTop = kMargin + 1665;
constexpr int kPageFooterTop = 16838 - kMargin - 558;

ReportDocument layoutVouchers(int rows, QPageLayout::Orientation orientation = QPageLayout::Portrait)
{
    Report report = voucherListReport();
    report.pageSetup().orientation = orientation;
    report.setDataSource(voucherRows(rows));
    return layoutReport(report, QDate(2004, 3, 9));
}

// A report with one money column in the detail and its sum in the footer.
Report moneyColumnReport(std::shared_ptr<ReportTable> rows)
{
    Report report;
    report.section(SectionKind::Detail).setHeight(300);
    report.section(SectionKind::Detail)
        .addField(QStringLiteral("Text1"), {0, 0, 2000, 300}, QStringLiteral("je"), ValueFormat::money());
    report.section(SectionKind::ReportFooter).setHeight(300);
    report.section(SectionKind::ReportFooter)
        .addSum(QStringLiteral("Function1"), {0, 0, 2000, 300}, QStringLiteral("je"), ValueFormat::money());
    report.setDataSource(std::move(rows));
    return report;
}

// The darkest grey in an area of a painted page: 255 where nothing is inked.
int darkest(const QImage &image, QRect area)
{
    int minimum = 255;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            minimum = qMin(minimum, qGray(image.pixel(x, y)));
    return minimum;
}

} // namespace

class tst_report : public QObject {
    Q_OBJECT

private slots:
    void formats_data();
    void formats();
    void unsupportedPatternsAreRefused();
    void moneySumsAreExactIntegers();
    void pagination_data();
    void pagination();
    void reportFooterIsKeptWhole_data();
    void reportFooterIsKeptWhole();
    void bandTallerThanPageStillEnds();
    void labelCodes();
    void controlsAreFoundIgnoringCase();
    void rowsWithoutTheFieldsPrintBlank();
    void layoutFacesPrintChinese();
    void paintingFollowsTwipPositions();
    void longTextStaysInsideItsColumn();
    void longTextIsSetReadably_data();
    void longTextIsSetReadably();
    void figuresAreNeverBroken_data();
    void figuresAreNeverBroken();
    void pdfHasOnePagePerLaidOutPageOrReportsFailure();
};

void tst_report::formats_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<ValueFormat>("format");
    QTest::addColumn<QString>("expected");
    const ValueFormat money = ValueFormat::money(), text = ValueFormat::text();
    const ValueFormat number = ValueFormat::number(u"#,##0.00");

    QTest::newRow("cents grouped") << QVariant(qint64(123450)) << money << "1,234.50";
    QTest::newRow("zero cents") << QVariant(qint64(0)) << money << "0.00";
    QTest::newRow("negative cents") << QVariant(qint64(-123450)) << money << "-1,234.50";
    QTest::newRow("one cent below zero") << QVariant(qint64(-5)) << money << "-0.05";
    QTest::newRow("millions") << QVariant(qint64(123456789012)) << money << "1,234,567,890.12";
    QTest::newRow("most negative cents") << QVariant(std::numeric_limits<qint64>::min()) << money
                                         << "-92,233,720,368,547,758.08";
    QTest::newRow("cents as whole double") << QVariant(123450.0) << money << "1,234.50";
    QTest::newRow("cents without grouping") << QVariant(qint64(123450)) << ValueFormat::money(u"0.00") << "1234.50";
    // A fraction is not a count of cents: shown as it is, never guessed at.
    QTest::newRow("fraction in money field") << QVariant(1234.5) << money << "1234.5";
    QTest::newRow("null amount") << QVariant() << money << "";

    QTest::newRow("number grouped") << QVariant(1234.5) << number << "1,234.50";
    QTest::newRow("number zero") << QVariant(0.0) << number << "0.00";
    QTest::newRow("decimal half rounds up") << QVariant(1.005) << ValueFormat::number(u"0.00") << "1.01";
    QTest::newRow("tiny negative is zero") << QVariant(-0.001) << number << "0.00";
    QTest::newRow("half away from zero") << QVariant(-2.5) << ValueFormat::number(u"#,##0") << "-3";
    QTest::newRow("integer grouped") << QVariant(1234567) << ValueFormat::number(u"#,##0") << "1,234,567";
    QTest::newRow("numeric text") << QVariant(QStringLiteral(" 12.5 ")) << number << "12.50";
    QTest::newRow("word under number format") << QVariant(QStringLiteral("合计")) << number << "合计";

    QTest::newRow("date") << QVariant(QDate(2004, 1, 5)) << text << "2004-01-05";
    QTest::newRow("midnight timestamp") << QVariant(QDateTime(QDate(2004, 1, 5), QTime(0, 0))) << text << "2004-01-05";
    QTest::newRow("binary residue") << QVariant(0.1 + 0.2) << text << "0.3";
    QTest::newRow("voucher number") << QVariant(12) << text << "12";
}

void tst_report::formats()
{
    QFETCH(QVariant, value);
    QFETCH(ValueFormat, format);
    QTEST(formatValue(value, format), "expected");
}

void tst_report::unsupportedPatternsAreRefused()
{
    for (const char *pattern : {"", "abc", "0.0#", "0.", "#,##0.00 元"})
        QVERIFY2(!NumberPattern::parse(QString::fromUtf8(pattern)), pattern);
    const auto grouped = NumberPattern::parse(u"#,##0.00");
    QVERIFY(grouped);
    QVERIFY(grouped->grouping);
    QCOMPARE(grouped->decimals, 2);
}

void tst_report::moneySumsAreExactIntegers()
{
    // 2^53 + 1 cents cannot be held by a double: a floating-point sum of
    // these rows ends two cents off.
    auto rows = std::make_shared<ReportTable>(QStringList{QStringLiteral("JE")});
    for (const QVariant &je : {QVariant(qint64(9007199254740993)), QVariant(qint64(1)), QVariant(qint64(-2)),
                               QVariant(), QVariant(QStringLiteral("作废"))})
        rows->addRow({je});
    const ReportDocument exact = layoutReport(moneyColumnReport(rows));
    QCOMPARE(exact.pages.size(), 1);
    QCOMPARE(texts(exact.pages[0], QStringLiteral("Text1")),
             QStringList({"90,071,992,547,409.93", "0.01", "-0.02", "", "作废"}));
    QCOMPARE(text(exact.pages[0], QStringLiteral("Function1")), QStringLiteral("90,071,992,547,409.92"));

    auto huge = std::make_shared<ReportTable>(QStringList{QStringLiteral("je")});
    huge->addRow({std::numeric_limits<qint64>::max()});
    huge->addRow({qint64(1)});
    const ReportDocument overflow = layoutReport(moneyColumnReport(huge));
    QCOMPARE(text(overflow.pages[0], QStringLiteral("Function1")), QString::fromUtf16(kSumOverflowText));
}

void tst_report::pagination_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("rowsPerPage");
    QTest::addColumn<int>("pages");
    // Body between header and footer: 16838 - 2 * 1440 - 1665 - 558 = 11735
    // twips, room for 25 rows of 465; landscape 11906 - ... = 6803, 14 rows.
    QTest::newRow("A4 portrait") << int(QPageLayout::Portrait) << 25 << 3;
    QTest::newRow("A4 landscape") << int(QPageLayout::Landscape) << 14 << 4;
}

void tst_report::pagination()
{
    QFETCH(int, orientation);
    QFETCH(int, rowsPerPage);
    QFETCH(int, pages);
    const int rows = 55;
    const ReportDocument doc = layoutVouchers(rows, QPageLayout::Orientation(orientation));
    QCOMPARE(doc.pages.size(), pages);

    const int footerTop = doc.pageSetup.paperTwips().height() - kMargin - 558;
    QStringList voucherNumbers, expected;
    for (int p = 0; p < pages; ++p) {
        const ReportPage &page = doc.pages[p];
        QCOMPARE(page.find("Label1")->rect.top(), kMargin + 60);
        QCOMPARE(page.find("Label31")->rect.top(), footerTop + 180);
        QCOMPARE(text(page, "Label32") + "/" + text(page, "Label34"), QStringLiteral("%1/%2").arg(p + 1).arg(pages));
        const QList<const PageItem *> numbers = page.findAll("Text2");
        QCOMPARE(numbers.size(), p + 1 < pages ? rowsPerPage : rows - rowsPerPage * (pages - 1));
        QCOMPARE(numbers.first()->rect.top(), kFirstRowTop + 105);
        QVERIFY(numbers.last()->rect.top() - 105 + kRowHeight <= footerTop);
        voucherNumbers += texts(page, "Text2");
        QCOMPARE(page.findAll("Label11").size(), p + 1 == pages ? 1 : 0);
    }
    for (int i = 1; i <= rows; ++i)
        expected << QString::number(i);
    QCOMPARE(voucherNumbers, expected);

    // Debits are rows 1, 3, ..., 55 times 123.45, credits rows 2, ..., 54; the
    // totals follow the last row.
    const ReportPage &last = doc.pages.last();
    QCOMPARE(text(last, "Function1") + " " + text(last, "Function2"), QStringLiteral("96,784.80 93,328.20"));
    QCOMPARE(last.find("Label11")->rect.top(), last.findAll("Text1").last()->rect.top() + kRowHeight);
}

void tst_report::reportFooterIsKeptWhole_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    // After 23 rows 1040 twips are left above the page footer, enough for the
    // 672 of the report footer; after 24 only 575.
    QTest::newRow("fits below the last row") << 23 << 1;
    QTest::newRow("moves to a new page") << 24 << 2;
    QTest::newRow("page full of rows") << 25 << 2;
}

void tst_report::reportFooterIsKeptWhole()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    const ReportDocument doc = layoutVouchers(rows);
    QCOMPARE(doc.pages.size(), pages);
    const ReportPage &last = doc.pages.last();
    QVERIFY(last.find("Label11"));
    QVERIFY(last.find("Label11")->rect.bottom() < kPageFooterTop);
    QCOMPARE(text(last, "Label34"), QString::number(pages));
    if (pages == 2) { // alone under the page header of its own page
        QVERIFY(last.findAll("Text1").isEmpty());
        QCOMPARE(last.find("Label11")->rect.top(), kFirstRowTop + 105);
    }
}

void tst_report::bandTallerThanPageStillEnds()
{
    Report report = voucherListReport();
    report.section(SectionKind::Detail).setHeight(20000);
    report.setDataSource(voucherRows(3));
    const ReportDocument doc = layoutReport(report);
    // One row to a page, running over; the report footer on a page of its own.
    QCOMPARE(doc.pages.size(), 4);
    for (int p = 0; p < 3; ++p)
        QCOMPARE(texts(doc.pages[p], QStringLiteral("Text2")), QStringList{QString::number(p + 1)});
    QVERIFY(doc.pages[3].find(QStringLiteral("Label11")));
}

void tst_report::labelCodes()
{
    Report report = voucherListReport();
    report.section(SectionKind::PageHeader)
        .addLabel(QStringLiteral("Printed"), {0, 0, 3000, 255}, QStringLiteral("打印日期：%d"));
    report.section(SectionKind::PageFooter)
        .addLabel(QStringLiteral("PageLine"), {0, 0, 3000, 300}, QStringLiteral("第%p页，共%P页"));
    auto rows = voucherRows(30);
    rows->addRow({QDate(2004, 3, 9), 31, QStringLiteral("%p%d折扣"), qint64(100), qint64(0)});
    report.setDataSource(rows);

    const ReportDocument doc = layoutReport(report, QDate(2004, 3, 9));
    QCOMPARE(doc.pages.size(), 2);
    for (int p = 0; p < 2; ++p) {
        QCOMPARE(text(doc.pages[p], QStringLiteral("Printed")), QStringLiteral("打印日期：2004-03-09"));
        QCOMPARE(text(doc.pages[p], QStringLiteral("PageLine")), QStringLiteral("第%1页，共2页").arg(p + 1));
    }
    // Data is printed as it is, codes and all.
    QCOMPARE(texts(doc.pages[1], QStringLiteral("Text3")).last(), QStringLiteral("%p%d折扣"));
}

void tst_report::controlsAreFoundIgnoringCase()
{
    Report report = voucherListReport();
    ReportSection *header = report.sectionNamed(QStringLiteral("SECTION2"));
    QCOMPARE(header, &report.section(SectionKind::PageHeader));
    QCOMPARE(report.sectionNamed(QStringLiteral("section1")), &report.section(SectionKind::Detail));
    QVERIFY(!report.sectionNamed(QStringLiteral("Section6")));

    ReportControl *company = header->control(QStringLiteral("label3"));
    QVERIFY(company);
    QCOMPARE(company->name, QStringLiteral("Label3"));
    QCOMPARE(header->control(QStringLiteral("LABEL5")), header->control(QStringLiteral("Label5")));
    QVERIFY(!header->control(QStringLiteral("Label99")));
    QVERIFY(!report.section(SectionKind::Detail).control(QStringLiteral("label3")));
}

// Rows read for another report: its fields print blank, the sums zero, and the layout
// names the fields it missed. (No rows at all are the print routines' own test.)
void tst_report::rowsWithoutTheFieldsPrintBlank()
{
    Report report = voucherListReport();
    auto other = std::make_shared<ReportTable>(QStringList{QStringLiteral("kjqj"), QStringLiteral("qcje")});
    other->addRow({QStringLiteral("2004年01月"), qint64(500)});
    other->addRow({QStringLiteral("2004年01月"), qint64(700)});
    report.setDataSource(other);
    const ReportDocument doc = layoutReport(report);
    QCOMPARE(doc.pages.size(), 1);
    const ReportPage &page = doc.pages[0];
    QCOMPARE(texts(page, "Text4") << text(page, "Function1") << text(page, "Function2"),
             QStringList({"", "", "0.00", "0.00"}));
    QCOMPARE(doc.missingFields, QStringList({"rq", "pz_no", "km_name", "jfje", "dfje"}));
}

void tst_report::layoutFacesPrintChinese()
{
    const QStringList installed = QFontDatabase::families();
    for (const char *face : {"宋体", "黑体", "楷体", "仿宋", "SimSun"}) {
        const QFont font = toQFont(ReportFont{QString::fromUtf8(face), 10.5, true});
        const QFontInfo info(font);
        QVERIFY2(installed.contains(info.family()), face);
        // The face actually used must carry the characters, not just a
        // per-glyph fallback that may differ from device to device.
        const QFont used(info.family());
        QVERIFY2(QFontMetrics(used).inFontUcs4(U'会') && QFontMetrics(used).inFontUcs4(U'计'), face);
    }
}

void tst_report::paintingFollowsTwipPositions()
{
    const QImage image = renderPageImage(layoutVouchers(5), 0, 144); // ten twips a pixel
    QCOMPARE(image.size(), QSize(1191, 1684));
    const auto darkest = [&image](QRect area) { return ::darkest(image, area); };
    // The heading box's left edge runs down 90 twips inside the left margin.
    const int boxMiddle = (kMargin + 1200 + 232) / 10;
    QVERIFY(darkest(QRect(151, boxMiddle, 5, 1)) < 100);
    // The margins and the space between report footer and page footer stay blank.
    QCOMPARE(darkest(QRect(0, 0, image.width(), kMargin / 10 - 2)), 255);
    QCOMPARE(darkest(QRect(0, 0, kMargin / 10 - 2, image.height())), 255);
    const int footerBottom = (kFirstRowTop + 5 * kRowHeight + 672) / 10;
    QCOMPARE(darkest(QRect(150, footerBottom + 5, 800, 50)), 255);
    // Text of the title is there.
    QVERIFY(darkest(QRect(150, (kMargin + 60) / 10, 870, 36)) < 100);
}

void tst_report::longTextStaysInsideItsColumn()
{
    const QString name = QStringLiteral("其他应收款——澄川市第一机械厂职工宿舍维修基金代垫款项");
    Report report;
    report.section(SectionKind::Detail).setHeight(525);
    report.section(SectionKind::Detail)
        .addField(QStringLiteral("Text3"), QRect(1000, 90, 1200, 270), QStringLiteral("km_name"), ValueFormat::text(),
                  ReportFont{QStringLiteral("宋体"), 10.5, true});
    auto rows = std::make_shared<ReportTable>(QStringList{QStringLiteral("km_name")});
    rows->addRow({name});
    report.setDataSource(rows);
    const QImage image = renderPageImage(layoutReport(report), 0, 144); // ten twips a pixel
    // The rows of pixels with ink between two x positions, from the band's top down.
    const auto inkedRows = [&image](int fromTwips, int toTwips) {
        QList<bool> inked;
        for (int y = kMargin / 10; y < (kMargin + 1000) / 10; ++y)
            inked << (darkest(image, QRect(fromTwips / 10, y, (toTwips - fromTwips) / 10, 1)) < 128);
        return inked;
    };
    QVERIFY(!inkedRows(kMargin + 2220, kMargin + 6000).contains(true)); // nothing beyond its column
    const QList<bool> column = inkedRows(kMargin + 1000, kMargin + 2200);
    QVERIFY(!column.mid(525 / 10).contains(true)); // nor below its band
    // Set no smaller than 7 points: a line of Chinese inks ten pixels or more.
    int run = 0, longest = 0;
    for (bool inked : column)
        longest = std::max(longest, run = inked ? run + 1 : 0);
    QVERIFY2(longest >= 10, qPrintable(QString::number(longest)));
}

void tst_report::longTextIsSetReadably_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("room"); // twips below the text's top
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("cut");
    const QString thirty = QStringLiteral("其他应收款——澄川市第一机械厂职工宿舍维修基金代垫款项");
    QTest::newRow("fits") << QStringLiteral("现金") << 435 << 1 << false;
    QTest::newRow("smaller on one line") << QStringLiteral("应收账款——澄川贸易公司") << 435 << 1 << false;
    QTest::newRow("wrapped within the row") << thirty << 435 << 2 << false;
    QTest::newRow("cut where the row ends") << thirty + thirty << 435 << 2 << true;
    QTest::newRow("one line of room") << thirty << 100 << 1 << true;
}

void tst_report::longTextIsSetReadably()
{
    QFETCH(QString, text);
    QFETCH(int, room);
    QFETCH(int, lines);
    QFETCH(bool, cut);
    QImage twips(1, 1, QImage::Format_RGB32); // a device of one twip a unit
    twips.setDotsPerMeterX(qRound(1440 / 0.0254));
    twips.setDotsPerMeterY(qRound(1440 / 0.0254));
    const QFont font = toQFont(ReportFont{QStringLiteral("宋体"), 10.5, true});
    const int width = 2280; // the name column of the chart of accounts

    const FittedText fitted = fitText(text, font, width, room, &twips);
    QCOMPARE(fitted.lines.size(), lines);
    QVERIFY(fitted.font.pointSizeF() >= kMinReadablePointSize);
    QVERIFY(fitted.font.pointSizeF() <= font.pointSizeF());
    const QFontMetricsF metrics(fitted.font, &twips);
    for (const QString &line : fitted.lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= width, qPrintable(line));
    QVERIFY(lines == 1 || lines * fitted.lineHeight <= room);
    const QString printed = fitted.lines.join(QString());
    if (cut) {
        QVERIFY(printed.endsWith(QStringLiteral("…")));
        QVERIFY(text.startsWith(printed.chopped(1)));
    } else {
        QCOMPARE(printed, text);
    }
}

void tst_report::figuresAreNeverBroken_data()
{
    QTest::addColumn<QString>("figure");
    QTest::addColumn<int>("width"); // twips
    QTest::addColumn<bool>("cut");
    // The voucher summary's narrowest amount column, a sum's and a detail's.
    QTest::newRow("13 whole digits") << QStringLiteral("2,000,000,001,261.00") << 1140 << false;
    QTest::newRow("14 whole digits, signed") << QStringLiteral("-19,999,999,982,612.34") << 1200 << false;
    QTest::newRow("beyond any column") << QStringLiteral("-92,233,720,368,547,758.07") << 900 << true;
}

// A figure is set smaller on its one line, and cut there only when even its smallest
// size is too wide; never broken over two lines as another report text would be.
void tst_report::figuresAreNeverBroken()
{
    QFETCH(QString, figure);
    QFETCH(int, width);
    QFETCH(bool, cut);
    QImage twips(1, 1, QImage::Format_RGB32);
    twips.setDotsPerMeterX(qRound(1440 / 0.0254));
    twips.setDotsPerMeterY(qRound(1440 / 0.0254));
    const QFont font = toQFont(ReportFont{QStringLiteral("宋体"), 9, true});

    const FittedText fitted = fitText(figure, font, width, 1000, &twips);
    QCOMPARE(fitted.lines.size(), 1);
    QVERIFY(fitted.font.pointSizeF() >= kMinFigurePointSize);
    QVERIFY(QFontMetricsF(fitted.font, &twips).horizontalAdvance(fitted.lines.first()) <= width);
    if (cut)
        QVERIFY(fitted.lines.first().endsWith(QStringLiteral("…")) &&
                figure.startsWith(fitted.lines.first().chopped(1)));
    else
        QCOMPARE(fitted.lines.first(), figure);
}

void tst_report::pdfHasOnePagePerLaidOutPageOrReportsFailure()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vouchers.pdf"));
    QString error;
    QVERIFY2(writeReportPdf(layoutVouchers(0), path, &error), qPrintable(error)); // headers only
    QVERIFY2(writeReportPdf(layoutVouchers(55), path, &error), qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF"));
    int pageObjects = 0;
    for (qsizetype at = bytes.indexOf("/Type /Page"); at >= 0; at = bytes.indexOf("/Type /Page", at + 1))
        pageObjects += bytes.mid(at + 11, 1) != "s";
    QCOMPARE(pageObjects, 3);

    const QString nowhere = dir.filePath(QStringLiteral("no-such-folder/vouchers.pdf"));
    QVERIFY(!writeReportPdf(layoutVouchers(3), nowhere, &error));
    QVERIFY(error.contains(nowhere));
}

QTEST_MAIN(tst_report)
#include "tst_report.moc"
