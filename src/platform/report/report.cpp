#include "platform/report/report.h"

namespace platform::report {

ReportSection::ReportSection(SectionKind kind, QString name) : kind_(kind), name_(std::move(name)) {}

ReportControl &ReportSection::add(ReportControl control)
{
    Q_ASSERT_X(!this->control(control.name), "ReportSection", "control name used twice in a section");
    controls_.push_back(std::move(control));
    return controls_.back();
}

ReportControl &ReportSection::addLabel(QString name, QRect rect, QString caption, std::optional<ReportFont> font,
                                       Qt::Alignment alignment)
{
    ReportControl c;
    c.kind = ReportControl::Kind::Label;
    c.name = std::move(name);
    c.rect = rect;
    c.caption = std::move(caption);
    c.font = std::move(font);
    c.alignment = alignment;
    return add(std::move(c));
}

ReportControl &ReportSection::addField(QString name, QRect rect, QString field, ValueFormat format,
                                       std::optional<ReportFont> font, Qt::Alignment alignment)
{
    ReportControl c;
    c.kind = ReportControl::Kind::Field;
    c.name = std::move(name);
    c.rect = rect;
    c.field = std::move(field);
    c.format = format;
    c.font = std::move(font);
    c.alignment = alignment;
    return add(std::move(c));
}

ReportControl &ReportSection::addSum(QString name, QRect rect, QString field, ValueFormat format,
                                     std::optional<ReportFont> font, Qt::Alignment alignment)
{
    ReportControl &c = addField(std::move(name), rect, std::move(field), format, std::move(font), alignment);
    c.kind = ReportControl::Kind::Sum;
    return c;
}

ReportControl &ReportSection::addLine(QString name, QLine line, int penWidth)
{
    ReportControl c;
    c.kind = ReportControl::Kind::Line;
    c.name = std::move(name);
    c.line = line;
    c.penWidth = penWidth;
    return add(std::move(c));
}

ReportControl &ReportSection::addBox(QString name, QRect rect, int penWidth)
{
    ReportControl c;
    c.kind = ReportControl::Kind::Box;
    c.name = std::move(name);
    c.rect = rect;
    c.penWidth = penWidth;
    return add(std::move(c));
}

ReportControl *ReportSection::control(const QString &name)
{
    for (ReportControl &c : controls_) {
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

const ReportControl *ReportSection::control(const QString &name) const
{
    return const_cast<ReportSection *>(this)->control(name);
}

QSize PageSetup::paperTwips() const
{
    // From the size's own definition: Qt rounds a size converted into
    // another unit to two decimals, which would cost A4 four twips.
    QSizeF inches;
    switch (pageSize.definitionUnits()) {
    case QPageSize::Millimeter:
        inches = pageSize.definitionSize() / 25.4;
        break;
    case QPageSize::Inch:
        inches = pageSize.definitionSize();
        break;
    default:
        inches = pageSize.size(QPageSize::Point) / 72.0;
        break;
    }
    QSize twips(qRound(inches.width() * 1440), qRound(inches.height() * 1440));
    if (orientation == QPageLayout::Landscape)
        twips.transpose();
    return twips;
}

Report::Report()
    : sections_{ReportSection(SectionKind::ReportHeader, QStringLiteral("Section4")),
                ReportSection(SectionKind::PageHeader, QStringLiteral("Section2")),
                ReportSection(SectionKind::Detail, QStringLiteral("Section1")),
                ReportSection(SectionKind::PageFooter, QStringLiteral("Section3")),
                ReportSection(SectionKind::ReportFooter, QStringLiteral("Section5"))}
{}

ReportSection *Report::sectionNamed(const QString &name)
{
    for (ReportSection &s : sections_) {
        if (s.name().compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    }
    return nullptr;
}

const ReportSection *Report::sectionNamed(const QString &name) const
{
    return const_cast<Report *>(this)->sectionNamed(name);
}

} // namespace platform::report
