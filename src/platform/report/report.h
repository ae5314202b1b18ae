#pragma once

// A banded report layout: five sections (report header, page header,
// detail, page footer, report footer), each with a height and controls placed
// in twips (1/1440 inch) within the section, plus the page set-up and the
// rows it is bound to. Pagination lives in reportlayout.h, painting in
// reportpaint.h, the modal preview in reportpreview.h.
//
// Declaring a layout:
//
//   Report r;
//   r.setCaption(u"打印预览窗口--会计科目表"_s);
//   ReportSection &head = r.section(SectionKind::PageHeader);   // "Section2"
//   head.setHeight(1590);
//   head.addLabel(u"Label1"_s, {2415, 30, 2370, 360}, u"会 计 科 目 表"_s, titleFont);
//   head.addBox(u"Shape1"_s, {450, 1125, 7425, 450});
//   ReportSection &detail = r.section(SectionKind::Detail);     // "Section1"
//   detail.addField(u"Text4"_s, {...}, u"jfje"_s, ValueFormat::money(), font, Qt::AlignHCenter);
//   r.section(SectionKind::ReportFooter).addSum(u"Function1"_s, {...}, u"jfje"_s, ValueFormat::money());
//   r.setDataSource(rows);
//   r.sectionNamed(u"section2"_s)->control(u"label3"_s)->showValue(unitName);

#include "platform/report/reportdata.h"
#include "platform/report/reportfont.h"
#include "platform/report/reportformat.h"

#include <QLine>
#include <QMargins>
#include <QPageLayout>
#include <QPageSize>
#include <QRect>
#include <array>
#include <deque>
#include <memory>
#include <optional>

namespace platform::report {

// One pixel on a 96-dpi screen; the weight of a plain ruled line.
inline constexpr int kDefaultPenWidth = 15;

enum class SectionKind { ReportHeader, PageHeader, Detail, PageFooter, ReportFooter };

struct ReportControl {
    enum class Kind {
        Label, // text; "%d", "%p" and "%P" in the layout's own caption print as date, page, page count
        Field, // the value of a data field in the current row
        Sum,   // the sum of a data field over all rows
        Line,
        Box, // a rectangle outline
    };

    Kind kind = Kind::Label;
    QString name;
    QRect rect; // twips within the section (not used by Line)
    QLine line; // twips within the section (Line only)
    QString caption;
    QString field;
    ValueFormat format;
    std::optional<ReportFont> font; // the report's default font when unset
    Qt::Alignment alignment = Qt::AlignLeft;
    int penWidth = kDefaultPenWidth;
    // Whether the caption is the layout's own text, whose codes are replaced.
    bool captionHasCodes = true;

    // Puts a value from the books (a company name, a period) in place of a label's
    // caption. It prints as it is: a "%p" in a company's name is part of the name.
    void showValue(QString value)
    {
        caption = std::move(value);
        captionHasCodes = false;
    }
};

class ReportSection {
public:
    ReportSection(SectionKind kind, QString name);

    SectionKind kind() const { return kind_; }
    const QString &name() const { return name_; }
    void setName(QString name) { name_ = std::move(name); }
    int height() const { return height_; }
    void setHeight(int twips) { height_ = twips; }

    // Each returns the new control; references stay valid as more are added.
    ReportControl &addLabel(QString name, QRect rect, QString caption, std::optional<ReportFont> font = {},
                            Qt::Alignment alignment = Qt::AlignLeft);
    ReportControl &addField(QString name, QRect rect, QString field, ValueFormat format = ValueFormat::text(),
                            std::optional<ReportFont> font = {}, Qt::Alignment alignment = Qt::AlignLeft);
    ReportControl &addSum(QString name, QRect rect, QString field, ValueFormat format,
                          std::optional<ReportFont> font = {}, Qt::Alignment alignment = Qt::AlignLeft);
    ReportControl &addLine(QString name, QLine line, int penWidth = kDefaultPenWidth);
    ReportControl &addBox(QString name, QRect rect, int penWidth = kDefaultPenWidth);

    // By name, ignoring letter case ("label3" finds "Label3"); nullptr when absent.
    ReportControl *control(const QString &name);
    const ReportControl *control(const QString &name) const;
    const std::deque<ReportControl> &controls() const { return controls_; }

private:
    ReportControl &add(ReportControl control);

    SectionKind kind_;
    QString name_;
    int height_ = 0;
    std::deque<ReportControl> controls_;
};

struct PageSetup {
    QPageSize pageSize{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMargins margins{1440, 1440, 1440, 1440}; // twips

    // The sheet as it is printed, in twips: landscape swaps the sides.
    QSize paperTwips() const;
};

class Report {
public:
    // The five sections, empty, named as the layouts know them: Section4
    // report header, Section2 page header, Section1 detail, Section3 page
    // footer, Section5 report footer.
    Report();

    const QString &caption() const { return caption_; }
    void setCaption(QString caption) { caption_ = std::move(caption); }
    // Width of the layout in twips; what does not fit the paper is cut off
    // at its edge rather than refused.
    int width() const { return width_; }
    void setWidth(int twips) { width_ = twips; }
    const ReportFont &defaultFont() const { return defaultFont_; }
    void setDefaultFont(ReportFont font) { defaultFont_ = std::move(font); }
    PageSetup &pageSetup() { return pageSetup_; }
    const PageSetup &pageSetup() const { return pageSetup_; }

    ReportSection &section(SectionKind kind) { return sections_[size_t(kind)]; }
    const ReportSection &section(SectionKind kind) const { return sections_[size_t(kind)]; }
    // By name, ignoring letter case; nullptr when absent.
    ReportSection *sectionNamed(const QString &name);
    const ReportSection *sectionNamed(const QString &name) const;

    // The rows; none bound prints like an empty set.
    const std::shared_ptr<const ReportDataSource> &dataSource() const { return data_; }
    void setDataSource(std::shared_ptr<const ReportDataSource> data) { data_ = std::move(data); }

private:
    QString caption_;
    int width_ = 0;
    ReportFont defaultFont_;
    PageSetup pageSetup_;
    std::array<ReportSection, 5> sections_;
    std::shared_ptr<const ReportDataSource> data_;
};

} // namespace platform::report
