#include "closing/readonlylist.h"

#include "closing/monthendsteps.h"
#include "db/bookheader.h"
#include "platform/msgbox.h"

namespace {
GridFrameConfig frameConfig(const ReadOnlyList::Setup &setup)
{
    GridFrameConfig c;
    c.name = setup.name;
    c.caption = setup.caption;
    c.title = setup.title;
    c.columns = setup.columns;
    c.toolbar = GridFrameConfig::browseToolbar(setup.printTip);
    c.dispatchOrder = GridFrameConfig::browseDispatchOrder();
    c.mouseRow = GridFrameConfig::MouseRow::RowSel;
    c.totals = setup.totals;
    c.shadowName = QStringLiteral("Labelbj");
    return c;
}
} // namespace

ReadOnlyList::ReadOnlyList(const Setup &setup, QWidget *parent)
    : GridFrame(frameConfig(setup), parent), print_(setup.print)
{
    // Nothing to move over until a fill; print and exit stay available throughout.
    setBackPair(false);
    setForwardPair(false);
    setAction(QStringLiteral("button_print"), [this] { printreport(); });
}

bool ReadOnlyList::readHeader(bool withCurrentPeriod)
{
    QString error;
    const auto company = mdlStandard::companyName(&error);
    const auto period =
        company && withCurrentPeriod ? mdlStandard::currentPeriodText(&error) : std::optional<QString>("");
    if (!company || !period) {
        tellUnreadable(error);
        return false;
    }
    company_ = *company;
    if (withCurrentPeriod)
        period_ = *period;
    return true;
}

void ReadOnlyList::tellUnreadable(const QString &error) { platform::notice(QStringLiteral("读取数据失败：") + error); }

void ReadOnlyList::printreport() { print_(shownRows(), company_, period_, this); }
