#include "platform/dtpicker.h"

#include "platform/msgbox.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace platform {

namespace {
const QString kForm = QStringLiteral("yyyy-MM-dd");
// Any day a person may book, well beyond either side of today.
const QDate kFirst(1900, 1, 1);
const QDate kLast(9999, 12, 31);

// The small arrow of a drop-down box.
QIcon dropArrow(const QColor &colour)
{
    QPixmap arrow(16, 16);
    arrow.fill(Qt::transparent);
    QPainter p(&arrow);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({QPointF(4, 6), QPointF(12, 6), QPointF(8, 11)}));
    return QIcon(arrow);
}

// The window or sub-window a control stands in.
const QWidget *formOf(const QWidget *w)
{
    while (w->parentWidget() && !w->isWindow() && w->windowType() != Qt::SubWindow)
        w = w->parentWidget();
    return w;
}

QString whyNoDate(const QString &typed)
{
    const QString how = QStringLiteral(
        "请输入完整的日期，例如 2026-01-05、2026/1/5、2026.1.5、2026年1月5日 或 20260105，也可以从日历中选择！");
    if (typed.trimmed().isEmpty())
        return QStringLiteral("日期不能为空，") + how;
    return QStringLiteral("“") + typed + QStringLiteral("”不是有效的日期，") + how;
}
} // namespace

std::optional<QDate> readTypedDate(const QString &text)
{
    // Full-width digits and marks, as a Chinese input method gives them, read as their
    // plain forms.
    const QString plain = text.normalized(QString::NormalizationForm_KC).trimmed();
    static const QRegularExpression forms[] = {
        QRegularExpression(QStringLiteral("^([0-9]{4})([-/.])([0-9]{1,2})\\2([0-9]{1,2})$")),
        QRegularExpression(QStringLiteral("^([0-9]{4})(年)([0-9]{1,2})月([0-9]{1,2})日?$")),
        QRegularExpression(QStringLiteral("^([0-9]{4})()([0-9]{2})([0-9]{2})$")),
    };
    for (const QRegularExpression &form : forms) {
        const QRegularExpressionMatch m = form.match(plain);
        if (!m.hasMatch())
            continue;
        const QDate date(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
        if (date.isValid() && date >= kFirst && date <= kLast)
            return date;
        return std::nullopt;
    }
    return std::nullopt;
}

DTPicker::DTPicker(QWidget *parent) : QLineEdit(parent)
{
    popup_ = new QFrame(this, Qt::Popup);
    popup_->setFrameShape(QFrame::StyledPanel);
    calendar_ = new QCalendarWidget(popup_);
    calendar_->setDateRange(kFirst, kLast);
    auto *layout = new QVBoxLayout(popup_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(calendar_);
    // A day picked is the date at once; a click or Enter on it also closes the calendar.
    connect(calendar_, &QCalendarWidget::selectionChanged, this, [this] { setValue(calendar_->selectedDate()); });
    for (auto picked : {&QCalendarWidget::clicked, &QCalendarWidget::activated}) {
        connect(calendar_, picked, this, [this] {
            popup_->hide();
            setFocus(Qt::PopupFocusReason);
        });
    }
    QAction *drop = addAction(dropArrow(palette().color(QPalette::Text)), QLineEdit::TrailingPosition);
    drop->setToolTip(QStringLiteral("从日历中选择日期"));
    connect(drop, &QAction::triggered, this, &DTPicker::showCalendar);
    // Any change the operator makes turns the text into typed text, read when the box is left.
    connect(this, &QLineEdit::textEdited, this, [this] { showsDate_ = false; });
    setValue(QDate::currentDate());
}

QDate DTPicker::value() const { return readTypedDate(text()).value_or(QDate()); }

void DTPicker::setValue(const QDate &date)
{
    setText(date.toString(kForm));
    showsDate_ = true;
}

void DTPicker::showCalendar()
{
    if (isReadOnly())
        return;
    {
        const QSignalBlocker quiet(calendar_);
        calendar_->setSelectedDate(value().isValid() ? value() : QDate::currentDate());
    }
    popup_->adjustSize();
    popup_->move(mapToGlobal(rect().bottomLeft()));
    popup_->show();
    calendar_->setFocus();
}

void DTPicker::startNewText()
{
    if (showsDate_)
        selectAll();
}

void DTPicker::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    emit keyDown(key, event->modifiers());
    if (key == 0 && event->key() != 0) { // swallowed
        event->accept();
        return;
    }
    if (key == Qt::Key_F4 || (key == Qt::Key_Down && (event->modifiers() & Qt::AltModifier))) {
        showCalendar();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !takeTyped()) {
        event->accept();
        return;
    }
    const bool typed = !event->text().isEmpty() && event->text().at(0).isPrint() &&
                       !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (typed || event->matches(QKeySequence::Paste))
        startNewText();
    QLineEdit::keyPressEvent(event);
}

void DTPicker::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty() || !event->preeditString().isEmpty())
        startNewText();
    QLineEdit::inputMethodEvent(event);
}

bool DTPicker::takeTyped()
{
    if (const auto date = readTypedDate(text())) {
        setValue(*date);
        return true;
    }
    notice(whyNoDate(text()));
    setFocus();
    selectAll();
    return false;
}

bool DTPicker::focusNextPrevChild(bool next)
{
    // Tab steps out of the box as one control, once its text is a date. A box being hidden
    // hands the focus on without a word.
    if (isVisible() && !takeTyped())
        return true;
    return QWidget::focusNextPrevChild(next);
}

void DTPicker::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Switching to another program, a menu or the calendar leaves the text as typed.
    const Qt::FocusReason why = event->reason();
    if (why == Qt::ActiveWindowFocusReason || why == Qt::PopupFocusReason)
        return;
    // Told once the focus has settled where the click put it, and only when it went to
    // another control of the same form; a box that was hidden or closed meanwhile, or left
    // for another window, keeps its text as typed.
    QTimer::singleShot(0, this, [this] {
        QWidget *now = QApplication::focusWidget();
        if (isVisible() && now && now != this && !popup_->isVisible() && formOf(now) == formOf(this))
            takeTyped();
    });
}

} // namespace platform
