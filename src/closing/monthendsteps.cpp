#include "closing/monthendsteps.h"

#include "platform/money.h"

using namespace mdlStandard;

namespace closing {

bool execute(const QString &sql, const QVariantList &params, QString *error)
{
    return runsql(sql, error, params) != nullptr;
}

std::optional<qint64> readNumber(const QString &sql, const QVariantList &params, QString *error)
{
    auto rs = runsql(sql, error, params);
    if (!rs)
        return std::nullopt;
    const auto number = rs->isOpen() && !rs->eof() ? numbers::wholeNumber(rs->value(0)) : std::nullopt;
    if (!number)
        *error = QStringLiteral("账簿数据无法读取");
    return number;
}

bool started(const Transaction &work, QString *error)
{
    if (!work.isActive())
        *error = work.error();
    return work.isActive();
}

bool committed(Transaction &work, QString *error)
{
    if (work.commit())
        return true;
    *error = work.error();
    return false;
}

namespace {
// Only speed depends on these settings, so a failed read or write changes nothing else.
QVariant setPragma(const char *name, const QString &value)
{
    QString ignored;
    const QString pragma = QStringLiteral("PRAGMA ") + QLatin1String(name);
    auto rs = runsql(pragma, ignored);
    if (!rs || rs->eof())
        return {};
    const QVariant previous = rs->value(0);
    runsql(pragma + QStringLiteral(" = ") + value, ignored);
    return previous;
}

void restorePragma(const char *name, const QVariant &previous)
{
    if (!previous.isNull())
        setPragma(name, QString::number(previous.toLongLong()));
}

constexpr char kSecureDelete[] = "secure_delete";
constexpr char kCacheSize[] = "cache_size";
} // namespace

BulkWork::BulkWork(Refills refills)
    : secureDelete_(setPragma(kSecureDelete, QStringLiteral("0"))),
      cacheSize_(refills == Refills::Yes ? setPragma(kCacheSize, QStringLiteral("-32768")) : QVariant()) // KiB
{}

BulkWork::~BulkWork()
{
    restorePragma(kCacheSize, cacheSize_);
    restorePragma(kSecureDelete, secureDelete_);
}

} // namespace closing
