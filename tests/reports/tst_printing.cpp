// The chart of accounts as printed, and the preview that shows a print.
#include "reports/drtkjkm.h"
#include "reports/printreport.h"

#include "platform/report/reportlayout.h"
#include "previewseam.h"
#include "reportpages.h"
#include "testsupport.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QWidget>
#include <QtTest>

using namespace platform::report;
using testsupport::CapturedPrints;
using testsupport::TestDb;

using testsupport::footer;
using testsupport::text;
using testsupport::texts;

namespace {

const QDate kPrintDay(2004, 3, 9);
const QString kCompany = QStringLiteral("澄川商贸有限公司");
const QString kChartListing = QStringLiteral("select * from kmdmk order by km_no");

void addAccount(TestDb &db, const QString &code, const QString &name, const QVariant &page = {})
{
    db.run(QStringLiteral("insert into kmdmk (km_no, km_zjf, km_name, km_page) values (?, ?, ?, ?)"),
           {code, QStringLiteral("ZJF") + code, name, page});
}

} // namespace

class tst_printing : public QObject {
    Q_OBJECT

private slots:
    void chartRunsOverPagesUnderCompanyAndDate();
    void printOpensTheModalPreview();
};

void tst_printing::chartRunsOverPagesUnderCompanyAndDate()
{
    TestDb db;
    for (int i = 50; i >= 1; --i)
        addAccount(db, QString::number(1000 + i), QStringLiteral("科目%1").arg(i),
                   i == 2 ? QVariant("12") : QVariant());
    const RecordsetPtr rows = mdlStandard::runsql(kChartListing);
    // The grid fill reads the listing to its end; the print still starts at the first row.
    while (!rows->eof())
        rows->moveNext();

    CapturedPrints prints(kPrintDay);
    reports::printChartOfAccounts(rows, kCompany, nullptr);
    QVERIFY(rows->eof()); // the window's cursor is its own

    // A4 less two margins of 1440, page header 1590 and page footer 660
    // leave room for 22 rows of 525.
    const ReportDocument &doc = prints.documents.first();
    QCOMPARE(doc.pages.size(), 3);
    const ReportPage &first = doc.pages.first();
    QCOMPARE(testsupport::numbered(first, "Label", 1, 5).join('|'),
             "会 计 科 目 表|单位名称：|" + kCompany + "|日期：|2004-03-09");
    QStringList columns;
    for (const char *column : {"Text2", "Text3", "Text4"})
        columns << texts(first, column).mid(0, 2).join('/');
    QCOMPARE(columns, (QStringList{"ZJF1001/ZJF1002", "科目1/科目2", "/12"}));
    QStringList codes, expected;
    for (int p = 0; p < 3; ++p) {
        const ReportPage &page = doc.pages.at(p);
        QCOMPARE(texts(page, QStringLiteral("Text1")).size(), p < 2 ? 22 : 6);
        codes += texts(page, QStringLiteral("Text1"));
        QCOMPARE(text(page, QStringLiteral("Label3")), kCompany);
        QCOMPARE(footer(page), QStringLiteral("第%1页，共3页").arg(p + 1));
    }
    for (int i = 1; i <= 50; ++i)
        expected << QString::number(1000 + i);
    QCOMPARE(codes, expected);

    // A chart that exactly fills its page ends there: no page of headers alone follows.
    db.run("delete from kmdmk where km_no > '1022'");
    CapturedPrints full(kPrintDay);
    reports::printChartOfAccounts(mdlStandard::runsql(kChartListing), kCompany, nullptr);
    QCOMPARE(full.documents.first().pages.size(), 1);
}

void tst_printing::printOpensTheModalPreview()
{
    TestDb db;
    addAccount(db, QStringLiteral("101"), QStringLiteral("现金"));
    QWidget parent;
    QString title;
    int pages = -1;
    QWidget *owner = nullptr;
    testsupport::whenDialogOpens<QPrintPreviewDialog>(this, [&](QPrintPreviewDialog *preview) {
        title = preview->windowTitle();
        owner = preview->parentWidget();
        if (auto *view = preview->findChild<QPrintPreviewWidget *>())
            pages = view->pageCount();
    });
    reports::printChartOfAccounts(mdlStandard::runsql(kChartListing), kCompany, &parent);

    QCOMPARE(title, QStringLiteral("打印预览窗口--会计科目表"));
    QCOMPARE(owner, &parent);
    QCOMPARE(pages, 1);
}

QTEST_MAIN(tst_printing)
#include "tst_printing.moc"
