// The date box: a date set by the program or picked in its calendar, and its keys.
#include "platform/dtpicker.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

using platform::DTPicker;

class tst_dtpicker : public QObject {
    Q_OBJECT
private slots:
    void dateSetOrPicked();
    void keys();
};

void tst_dtpicker::dateSetOrPicked()
{
    DTPicker picker;
    QCOMPARE(picker.value(), QDate::currentDate());
    QVERIFY(picker.calendarPopup());
    picker.setValue(QDate(2026, 5, 7));
    QCOMPARE(picker.text(), QStringLiteral("2026-05-07"));
    QSignalSpy changed(&picker, &QDateEdit::dateChanged);
    picker.calendarWidget()->setSelectedDate(QDate(2026, 5, 21));
    QCOMPARE(picker.value(), QDate(2026, 5, 21));
    QCOMPARE(changed.count(), 1);
}

void tst_dtpicker::keys()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *picker = new DTPicker;
    auto *next = new QLineEdit;
    layout->addWidget(picker);
    layout->addWidget(next);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    picker->setFocus();
    picker->setValue(QDate(2026, 5, 7));

    // A handler sees each key first and may swallow it.
    QList<int> seen;
    connect(picker, &DTPicker::keyDown, this, [&](int &key, Qt::KeyboardModifiers) {
        seen << key;
        if (key == Qt::Key_Up)
            key = 0;
    });
    QTest::keyClick(picker, Qt::Key_Up);
    QCOMPARE(picker->value(), QDate(2026, 5, 7));
    QTest::keyClick(picker, Qt::Key_Return);
    QCOMPARE(seen, QList<int>({Qt::Key_Up, Qt::Key_Return}));

    // Tab leaves the box from any of its parts, as Enter-as-Tab relies on.
    QTest::keyClick(picker, Qt::Key_Tab);
    QVERIFY(next->hasFocus());
}

QTEST_MAIN(tst_dtpicker)
#include "tst_dtpicker.moc"
