#include "platform/report/reportlayout.h"

#include <QtNumeric>

namespace platform::report {

const PageItem *ReportPage::find(const QString &control) const
{
    for (const PageItem &item : items) {
        if (item.control.compare(control, Qt::CaseInsensitive) == 0)
            return &item;
    }
    return nullptr;
}

QList<const PageItem *> ReportPage::findAll(const QString &control) const
{
    QList<const PageItem *> found;
    for (const PageItem &item : items) {
        if (item.control.compare(control, Qt::CaseInsensitive) == 0)
            found.append(&item);
    }
    return found;
}

namespace {

using Kind = ReportControl::Kind;

bool isBound(const ReportControl &c) { return c.kind == Kind::Field || c.kind == Kind::Sum; }

QString moneySum(const ReportDataSource &data, int column, const NumberPattern &pattern)
{
    Money total;
    for (int row = 0; row < data.rowCount(); ++row) {
        const auto amount = Money::fromField(data.value(row, column));
        if (!amount)
            continue; // not an amount: it prints as its own text and adds nothing
        const auto sum = total.checkedAdd(*amount);
        if (!sum)
            return QString::fromUtf16(kSumOverflowText);
        total = *sum;
    }
    return formatMoney(total, pattern);
}

QString numberSum(const ReportDataSource &data, int column, const ValueFormat &format)
{
    // Whole numbers add up exactly as long as they can; the first fraction
    // (or an overflow) turns the rest of the sum into floating point.
    qint64 whole = 0;
    double fractional = 0.0;
    bool exact = true;
    for (int row = 0; row < data.rowCount(); ++row) {
        const QVariant v = data.value(row, column);
        if (!v.isValid() || v.isNull())
            continue;
        if (const auto integer = numbers::wholeNumber(v); integer && exact) {
            qint64 next = 0;
            if (!qAddOverflow(whole, *integer, &next)) {
                whole = next;
                continue;
            }
            exact = false;
            fractional += double(*integer);
            continue;
        }
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (!ok)
            continue;
        exact = false;
        fractional += d;
    }
    if (exact) {
        if (format.kind == ValueFormat::Kind::Text)
            return QString::number(whole);
        return formatWhole(whole, format.pattern);
    }
    const double total = double(whole) + fractional;
    if (format.kind == ValueFormat::Kind::Text)
        return QString::number(total, 'g', 15);
    return formatNumber(total, format.pattern);
}

QString sumText(const ReportControl &c, const ReportDataSource *data, int column)
{
    static const ReportTable kNoRows;
    const ReportDataSource &rows = (data && column >= 0) ? *data : kNoRows;
    if (c.format.kind == ValueFormat::Kind::Money)
        return moneySum(rows, column, c.format.pattern);
    return numberSum(rows, column, c.format);
}

// What the codes of a layout's caption print; a null text leaves its code
// standing (the page count is known only once every row is placed).
struct CodeTexts {
    QString date;
    QString page;
    QString pages;
};

// One pass over the caption, so that what a code puts in is never read as
// another code.
QString expandCodes(const QString &caption, const CodeTexts &codes)
{
    if (!caption.contains(u'%'))
        return caption;
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QString *value = nullptr;
        if (caption[i] == u'%' && i + 1 < caption.size()) {
            const QChar code = caption[i + 1];
            value = code == u'd' ? &codes.date : code == u'p' ? &codes.page : code == u'P' ? &codes.pages : nullptr;
        }
        if (value && !value->isNull()) {
            out += *value;
            ++i;
        } else {
            out += caption[i];
        }
    }
    return out;
}

bool hasPageCode(const ReportControl &c)
{
    return c.kind == Kind::Label && c.captionHasCodes && c.caption.contains(u"%p", Qt::CaseInsensitive);
}

// A section with what each of its controls needs at every placement.
struct Band {
    const ReportSection *section = nullptr;
    QList<int> columns;  // per control: the data column of a bound control, else -1
    QList<QString> sums; // per control: the total of a Sum control
    bool printsNothing() const { return section->height() == 0 && section->controls().empty(); }
};

class Paginator {
public:
    Paginator(const Report &report, QDate printDate)
        : report_(report), data_(report.dataSource().get()), date_(formatDate(printDate))
    {
        const PageSetup &setup = report.pageSetup();
        const QSize paper = setup.paperTwips();
        left_ = setup.margins.left();
        top_ = setup.margins.top();
        footerTop_ = paper.height() - setup.margins.bottom() - report.section(SectionKind::PageFooter).height();
        for (int k = 0; k < 5; ++k)
            bands_[k] = bind(report.section(SectionKind(k)));
        doc_.caption = report.caption();
        doc_.pageSetup = setup;
    }

    ReportDocument run()
    {
        const int rows = data_ ? data_->rowCount() : 0;
        startPage();
        const Band &detail = band(SectionKind::Detail);
        if (!detail.printsNothing()) {
            for (int row = 0; row < rows; ++row)
                placeInBody(detail, row);
        }
        // A report footer with nothing in it is only white space after the last row: it
        // must not push a page of headers alone onto the end.
        const Band &footer = band(SectionKind::ReportFooter);
        if (!footer.section->controls().empty())
            placeInBody(footer, -1);
        finishPage();
        numberPages();
        return std::move(doc_);
    }

private:
    const Band &band(SectionKind kind) const { return bands_[size_t(kind)]; }

    Band bind(const ReportSection &section)
    {
        Band b;
        b.section = &section;
        for (const ReportControl &c : section.controls()) {
            int column = -1;
            if (isBound(c) && data_) {
                column = data_->columnOf(c.field);
                if (column < 0 && !doc_.missingFields.contains(c.field, Qt::CaseInsensitive))
                    doc_.missingFields.append(c.field);
            }
            b.columns.append(column);
            b.sums.append(c.kind == Kind::Sum ? sumText(c, data_, column) : QString());
        }
        return b;
    }

    void startPage()
    {
        doc_.pages.append(ReportPage{});
        pendingPageCodes_.append(QList<PendingLabel>{});
        y_ = top_;
        const Band &reportHeader = band(SectionKind::ReportHeader);
        if (doc_.pages.size() == 1 && !reportHeader.printsNothing()) {
            placeAt(reportHeader, y_, -1);
            y_ += reportHeader.section->height();
        }
        placeAt(band(SectionKind::PageHeader), y_, -1);
        y_ += band(SectionKind::PageHeader).section->height();
        bodyEmpty_ = true;
    }

    void finishPage() { placeAt(band(SectionKind::PageFooter), footerTop_, -1); }

    // Keeps the band whole: it moves to a fresh page when the rest of this
    // one is too short, unless this page has no body yet.
    void placeInBody(const Band &b, int row)
    {
        const int height = b.section->height();
        if (!bodyEmpty_ && y_ + height > footerTop_) {
            finishPage();
            startPage();
        }
        placeAt(b, y_, row);
        y_ += height;
        bodyEmpty_ = false;
    }

    void placeAt(const Band &b, int top, int row)
    {
        ReportPage &page = doc_.pages.last();
        const auto &controls = b.section->controls();
        const QPoint offset(left_, top);
        for (size_t i = 0; i < controls.size(); ++i) {
            const ReportControl &c = controls[i];
            PageItem item;
            item.control = c.name;
            switch (c.kind) {
            case Kind::Line:
                item.kind = PageItem::Kind::Line;
                item.line = c.line.translated(offset);
                item.penWidth = c.penWidth;
                break;
            case Kind::Box:
                item.kind = PageItem::Kind::Box;
                item.rect = c.rect.translated(offset);
                item.penWidth = c.penWidth;
                break;
            case Kind::Label:
            case Kind::Field:
            case Kind::Sum:
                item.kind = PageItem::Kind::Text;
                item.rect = c.rect.translated(offset);
                item.font = c.font.value_or(report_.defaultFont());
                item.alignment = c.alignment;
                item.roomBottom = top + b.section->height();
                item.text = textOf(c, b, i, row);
                if (hasPageCode(c))
                    pendingPageCodes_.last().append({page.items.size(), &c});
                break;
            }
            page.items.append(std::move(item));
        }
    }

    QString textOf(const ReportControl &c, const Band &b, size_t index, int row) const
    {
        switch (c.kind) {
        case Kind::Label:
            return c.captionHasCodes ? expandCodes(c.caption, {date_, {}, {}}) : c.caption;
        case Kind::Field: {
            const int column = b.columns[index];
            if (row < 0 || column < 0)
                return {};
            return formatValue(data_->value(row, column), c.format);
        }
        case Kind::Sum:
            return b.sums[index];
        default:
            return {};
        }
    }

    // The page count is known only once every row has been placed.
    void numberPages()
    {
        const QString total = QString::number(doc_.pages.size());
        for (qsizetype p = 0; p < doc_.pages.size(); ++p) {
            const QString number = QString::number(p + 1);
            for (const PendingLabel &pending : pendingPageCodes_[p])
                doc_.pages[p].items[pending.index].text = expandCodes(pending.label->caption, {date_, number, total});
        }
    }

    const Report &report_;
    const ReportDataSource *data_;
    const QString date_;
    std::array<Band, 5> bands_;
    ReportDocument doc_;
    // Per page, the labels that print a page number or count.
    struct PendingLabel {
        qsizetype index;
        const ReportControl *label;
    };
    QList<QList<PendingLabel>> pendingPageCodes_;
    int left_ = 0;
    int top_ = 0;
    int footerTop_ = 0;
    int y_ = 0;
    bool bodyEmpty_ = true;
};

} // namespace

ReportDocument layoutReport(const Report &report, QDate printDate) { return Paginator(report, printDate).run(); }

} // namespace platform::report
