#include "db/records.h"

using namespace mdlStandard;

namespace records {

bool writeFields(const RecordsetPtr &row, const Fields &fields, QString *error)
{
    for (const auto &[name, value] : fields) {
        if (!row->setValue(name, value)) {
            row->cancelUpdate();
            *error = QStringLiteral("数据项“%1”无法写入").arg(name);
            failUnit(*error);
            return false;
        }
    }
    return updateRow(row, error);
}

namespace {
bool written(const RecordsetPtr &row, const Fields &fields, const QString &noun, QString *error)
{
    QString why;
    if (writeFields(row, fields, &why))
        return true;
    *error = noun + QStringLiteral("保存失败：") + why;
    return false;
}
} // namespace

RecordsetPtr read(const QString &select, const QVariantList &params, const QString &unreadable, QString *error)
{
    QString cause;
    auto rs = runsql(select, &cause, params);
    if (!rs)
        *error = unreadable + cause;
    return rs;
}

std::optional<bool> anyRow(const QString &select, const QVariantList &params, const QString &unreadable, QString *error)
{
    const auto rs = read(select, params, unreadable, error);
    if (!rs)
        return std::nullopt;
    return rs->recordCount() != 0;
}

bool addRow(const QString &table, const Fields &fields, const QString &noun, QString *error)
{
    // An empty read of the table is what a new row is added through.
    QString cause;
    const auto rs = runsql(QStringLiteral("select * from ") + table + QStringLiteral(" limit 0"), &cause);
    if (!rs || !rs->addNew()) {
        *error = noun + QStringLiteral("保存失败：") + (rs ? QStringLiteral("无法添加记录") : cause);
        return false;
    }
    return written(rs, fields, noun, error);
}

bool changeFirstRow(const QString &select, const QVariantList &params, const Fields &fields, const ChangeTexts &texts,
                    QString *error)
{
    const auto rs = read(select, params, texts.unreadable, error);
    if (!rs)
        return false;
    if (rs->eof()) {
        *error = texts.missing;
        return false;
    }
    return written(rs, fields, texts.noun, error);
}

bool execute(const QString &sql, const QVariantList &params, const QString &failed, QString *error)
{
    QString cause;
    if (runsql(sql, &cause, params))
        return true;
    *error = failed + cause;
    return false;
}

} // namespace records
