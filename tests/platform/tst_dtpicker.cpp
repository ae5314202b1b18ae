// The date box: a date set by the program or picked in its calendar, a whole date typed
// wherever the cursor stands, a text that is no date refused, and Enter as Tab.
#include "platform/desktop.h"
#include "platform/dtpicker.h"
#include "testsupport.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

using platform::DTPicker;

namespace {
// A box between two text boxes, set to 2026-01-15; Enter in it acts as Tab.
struct Form {
    Form()
    {
        auto *layout = new QVBoxLayout(&window);
        for (QWidget *w : std::initializer_list<QWidget *>{before, picker, after})
            layout->addWidget(w);
        window.show();
        QApplication::setActiveWindow(&window);
        picker->setValue(QDate(2026, 1, 15));
        QObject::connect(picker, &DTPicker::keyDown, picker, [](int &key, Qt::KeyboardModifiers) {
            if (key == Qt::Key_Up)
                key = 0;
            platform::entertotab(key);
        });
    }
    QWidget window;
    QLineEdit *before = new QLineEdit;
    DTPicker *picker = new DTPicker;
    QLineEdit *after = new QLineEdit;
};
} // namespace

class tst_dtpicker : public QObject {
    Q_OBJECT
private slots:
    void dateSetOrPicked()
    {
        DTPicker picker;
        QCOMPARE(picker.value(), QDate::currentDate());
        picker.setValue(QDate(2026, 5, 7));
        QCOMPARE(picker.text(), QStringLiteral("2026-05-07"));
        picker.calendarWidget()->setSelectedDate(QDate(2026, 5, 21));
        QCOMPARE(picker.value(), QDate(2026, 5, 21));
    }

    void typedDates_data();
    void typedDates();

    // The box's own key handler sees a key first and may swallow it. (Enter, which the
    // handler turns into Tab, is left in the table below.)
    void keyHandlerMaySwallowAKey()
    {
        Form f;
        f.picker->setFocus();
        QTest::keyClick(f.picker, Qt::Key_Up);
        QCOMPARE(f.picker->value(), QDate(2026, 1, 15));
        QVERIFY(f.picker->hasFocus());
    }
};

void tst_dtpicker::typedDates_data()
{
    // How the focus comes into the box (showing 2026-01-15) and where the cursor then
    // stands; the keys typed; how the box is left: "enter" (Enter as Tab), "tab", or
    // "click" (another box takes the focus), "hide" (the window puts the box away). Then
    // the text the box shows, and whether it was refused (told, focus kept); the box's
    // date is the one shown, and none while it shows no date.
    QTest::addColumn<QString>("arrive");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("leave");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("refused");
    auto row = [](const char *arrive, const QString &typed, const char *leave, const char *shown, bool refused) {
        QTest::addRow("%s %s %s", arrive, qPrintable(typed), leave)
            << QString::fromLatin1(arrive) << typed << QString::fromLatin1(leave) << QString::fromUtf8(shown)
            << refused;
    };
    // A whole date typed, wherever the cursor stands, in each form.
    row("tab", "2026-12-05", "enter", "2026-12-05", false);
    row("backtab", "2026/12/06", "enter", "2026-12-06", false);
    row("backtab", "2026年12月3日", "tab", "2026-12-03", false);
    row("ctrl+a", "2026.12.7", "enter", "2026-12-07", false);
    row("year", "20261208", "enter", "2026-12-08", false);
    row("day", "2026年2月9", "click", "2026-02-09", false);
    row("tab", "２０２６－１２－０５", "enter", "2026-12-05", false);
    row("tab", " 2026-3-4 ", "tab", "2026-03-04", false);
    // Backspace first edits in place.
    row("end", "\b\b28", "enter", "2026-01-28", false);
    // No date: refused, the text stays to be mended.
    row("tab", "2026-02-30", "enter", "2026-02-30", true);
    row("tab", "2026-12/05", "tab", "2026-12/05", true);
    row("tab", "12-05", "click", "12-05", true);
    row("tab", "202612051", "enter", "202612051", true);
    row("tab", "1899-12-31", "enter", "1899-12-31", true);
    row("ctrl+a", "abc", "enter", "abc", true);
    row("ctrl+a", "\b", "enter", "", true);
    row("tab", "abc", "hide", "abc", false);
}

void tst_dtpicker::typedDates()
{
    QFETCH(QString, arrive);
    QFETCH(QString, typed);
    QFETCH(QString, leave);
    QFETCH(QString, shown);
    QFETCH(bool, refused);
    testsupport::MessageBoxes boxes;
    Form f;
    if (arrive == "backtab") {
        f.after->setFocus();
        QTest::keyClick(f.after, Qt::Key_Backtab, Qt::ShiftModifier);
    } else {
        f.before->setFocus();
        QTest::keyClick(f.before, Qt::Key_Tab);
    }
    QVERIFY(f.picker->hasFocus());
    if (arrive == "ctrl+a")
        QTest::keyClick(f.picker, Qt::Key_A, Qt::ControlModifier);
    const QMap<QString, int> cursorAt{{"year", 2}, {"day", 9}, {"end", 10}};
    if (cursorAt.contains(arrive))
        f.picker->setCursorPosition(cursorAt.value(arrive));
    for (const QChar c : typed) {
        if (c == '\b')
            QTest::keyClick(f.picker, Qt::Key_Backspace);
        else
            testsupport::typeText(f.picker, QString(c));
    }
    if (leave == "click" || leave == "hide") {
        if (leave == "hide")
            f.picker->hide();
        else
            f.after->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
    } else {
        QTest::keyClick(f.picker, leave == "tab" ? Qt::Key_Tab : Qt::Key_Return);
    }
    QCOMPARE(f.picker->text(), shown);
    QCOMPARE(f.picker->value(), refused ? QDate() : QDate::fromString(shown, Qt::ISODate));
    QCOMPARE(boxes.count(), refused ? 1 : 0);
    if (refused)
        QVERIFY(boxes.lastText().contains("请输入完整的日期"));
    QVERIFY((refused ? static_cast<QWidget *>(f.picker) : f.after)->hasFocus());
}

QTEST_MAIN(tst_dtpicker)
#include "tst_dtpicker.moc"
