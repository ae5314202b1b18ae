#include "reports/drtkjkm.h"
#include "reports/printreport.h"

#include "db/bookheader.h"
#include "platform/report/reportlayout.h"
#include "previewseam.h"
#include "printedtexts.h"
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

void setCompany(TestDb &db, const QString &name) { db.run(QStringLiteral("update dwmc set dw_name = ?"), {name}); }

void addAccount(TestDb &db, const QString &code, const QString &name, const QVariant &page = {})
{
    db.run(QStringLiteral("insert into kmdmk (km_no, km_zjf, km_name, km_page) values (?, ?, ?, ?)"),
           {code, QStringLiteral("ZJF") + code, name, page});
}

struct WindowState {
    platform::RecordsetPtr rows;
    QString unitname;
};

// What a printing window does at its load: it reads the company name and its listing
// into sharedrs, and keeps both for its own print.
WindowState loadWindow(const QString &listing)
{
    QString error;
    const QString company = mdlStandard::companyName(&error).value_or(QString());
    mdlStandard::sharedrs = mdlStandard::runsql(listing);
    return {mdlStandard::sharedrs, company};
}

const QString kChartListing = QStringLiteral("select * from kmdmk order by km_no");

} // namespace

class tst_printing : public QObject {
    Q_OBJECT

private slots:
    // The windows these tests play leave rows in the module variable; the next test
    // starts without them.
    void cleanup() { mdlStandard::sharedrs.reset(); }
    void chartListsEveryAccountUnderCompanyAndDate();
    void longChartRunsOverPages();
    void printOpensTheModalPreview();
};

void tst_printing::chartListsEveryAccountUnderCompanyAndDate()
{
    TestDb db;
    setCompany(db, QStringLiteral("澄川商贸有限公司"));
    addAccount(db, QStringLiteral("2001"), QStringLiteral("短期借款"), QStringLiteral("12"));
    addAccount(db, QStringLiteral("101"), QStringLiteral("现金"), QStringLiteral("1"));
    addAccount(db, QStringLiteral("102"), QStringLiteral("银行存款"));
    const WindowState window = loadWindow(kChartListing);
    // The grid fill reads the listing to its end; the print still starts at the first row.
    while (!window.rows->eof())
        window.rows->moveNext();

    CapturedPrints prints(kPrintDay);
    reports::printChartOfAccounts(window.rows, window.unitname, nullptr);

    QCOMPARE(prints.documents.size(), 1);
    const ReportDocument &doc = prints.documents.first();
    QCOMPARE(doc.pages.size(), 1);
    const ReportPage &page = doc.pages.first();
    QCOMPARE(testsupport::numbered(page, "Label", 1, 5).join('|'),
             QStringLiteral("会 计 科 目 表|单位名称：|澄川商贸有限公司|日期：|2004-03-09"));
    QCOMPARE(texts(page, "Text1") + texts(page, "Text2") + texts(page, "Text3") + texts(page, "Text4"),
             (QStringList{"101", "102", "2001", "ZJF101", "ZJF102", "ZJF2001", "现金", "银行存款", "短期借款", "1", "",
                          "12"}));
    QCOMPARE(footer(page), QStringLiteral("第1页，共1页"));
    QVERIFY(window.rows->eof()); // the window's cursor is its own
}

void tst_printing::longChartRunsOverPages()
{
    TestDb db;
    setCompany(db, QStringLiteral("澄川商贸有限公司"));
    for (int i = 50; i >= 1; --i)
        addAccount(db, QString::number(1000 + i), QStringLiteral("科目%1").arg(i));
    const WindowState window = loadWindow(kChartListing);

    CapturedPrints prints(kPrintDay);
    reports::printChartOfAccounts(window.rows, window.unitname, nullptr);

    // A4 less two margins of 1440, page header 1590 and page footer 660
    // leave room for 22 rows of 525.
    const ReportDocument &doc = prints.documents.first();
    QCOMPARE(doc.pages.size(), 3);
    QStringList codes, expected;
    for (int p = 0; p < 3; ++p) {
        const ReportPage &page = doc.pages.at(p);
        QCOMPARE(texts(page, QStringLiteral("Text1")).size(), p < 2 ? 22 : 6);
        codes += texts(page, QStringLiteral("Text1"));
        QCOMPARE(text(page, QStringLiteral("Label3")), QStringLiteral("澄川商贸有限公司"));
        QCOMPARE(footer(page), QStringLiteral("第%1页，共3页").arg(p + 1));
    }
    for (int i = 1; i <= 50; ++i)
        expected << QString::number(1000 + i);
    QCOMPARE(codes, expected);

    // A chart that exactly fills its page ends there: no page of headers alone follows.
    db.run("delete from kmdmk where km_no > '1022'");
    CapturedPrints full(kPrintDay);
    reports::printChartOfAccounts(loadWindow(kChartListing).rows, window.unitname, nullptr);
    QCOMPARE(full.documents.first().pages.size(), 1);
}

void tst_printing::printOpensTheModalPreview()
{
    TestDb db;
    addAccount(db, QStringLiteral("101"), QStringLiteral("现金"));
    const WindowState window = loadWindow(kChartListing);

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
    reports::printChartOfAccounts(window.rows, window.unitname, &parent);

    QCOMPARE(title, QStringLiteral("打印预览窗口--会计科目表"));
    QCOMPARE(owner, &parent);
    QCOMPARE(pages, 1);
}

QTEST_MAIN(tst_printing)
#include "tst_printing.moc"
