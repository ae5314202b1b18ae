// The date box: a date set by the program or picked in its calendar, and its keys;
// Enter as Tab.
#include "platform/desktop.h"
#include "platform/dtpicker.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

using platform::DTPicker;

class tst_dtpicker : public QObject {
    Q_OBJECT
private slots:
    void dateSetOrPicked()
    {
        DTPicker picker;
        QCOMPARE(picker.value(), QDate::currentDate());
        picker.setValue(QDate(2026, 5, 7));
        QCOMPARE(picker.text(), QStringLiteral("2026-05-07"));
        QVERIFY(picker.calendarPopup());
        picker.calendarWidget()->setSelectedDate(QDate(2026, 5, 21));
        QCOMPARE(picker.value(), QDate(2026, 5, 21));
    }

    // Enter moves on as Tab does: from a text box set up for it, and from the date box
    // whichever of its parts the cursor is in, once its own key handler has seen the key
    // (and may have swallowed it).
    void keys()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *first = new QLineEdit;
        auto *picker = new DTPicker;
        auto *next = new QLineEdit;
        for (QWidget *w : std::initializer_list<QWidget *>{first, picker, next})
            layout->addWidget(w);
        platform::installEnterAsTab(first);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        picker->setValue(QDate(2026, 5, 7));
        connect(picker, &DTPicker::keyDown, this, [](int &key, Qt::KeyboardModifiers) {
            if (key == Qt::Key_Up)
                key = 0;
            platform::entertotab(key);
        });

        first->setFocus();
        QTest::keyClick(first, Qt::Key_A);
        QTest::keyClick(first, Qt::Key_Return);
        QCOMPARE(first->text(), QStringLiteral("a"));
        QVERIFY(picker->hasFocus());
        QTest::keyClick(picker, Qt::Key_Up);
        QCOMPARE(picker->value(), QDate(2026, 5, 7));
        QVERIFY(picker->hasFocus());
        QTest::keyClick(picker, Qt::Key_Return);
        QVERIFY(next->hasFocus());
    }
};

QTEST_MAIN(tst_dtpicker)
#include "tst_dtpicker.moc"
