#include "db/bookfaults.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace mdlStandard {

namespace {
const QString kReadOnlyFile = QStringLiteral(
    "账簿文件是只读的，无法写入，本次修改未保存。请取消该文件的只读属性（或请管理员开放写入权限）后重试。");
const QString kReadOnlyFolder = QStringLiteral(
    "账簿文件所在的文件夹不允许写入，本次修改未保存。请为该文件夹开放写入权限（或将账簿移到可写的文件夹）后重试。");
const QString kDiskFull = QStringLiteral("磁盘空间已满，无法写入账簿，本次修改未保存。请清理磁盘空间后重试。");
const QString kNotBooks =
    QStringLiteral("该文件不是本系统的账簿文件，或账簿密码不符，无法打开。请确认使用的是本系统的账簿文件。");
const QString kCorrupt = QStringLiteral("账簿文件已损坏，无法读取。请用最近备份的账簿文件替换它后重试。");
const QString kDiskError = QStringLiteral("读写账簿文件时发生磁盘错误。请检查存放账簿的磁盘或设备是否正常连接后重试。");
const QString kMissing = QStringLiteral("找不到账簿文件 %1。请确认该文件在原处后重试。");
const QString kCannotOpen = QStringLiteral("无法打开账簿文件 %1。请检查该文件及其所在文件夹的访问权限后重试。");
const QString kNoRights = QStringLiteral("没有访问账簿文件的权限。请检查该文件的访问权限后重试。");
const QString kTooLarge =
    QStringLiteral("金额合计过大，超出了本系统能够计算的范围。请检查是否有金额录入过大的凭证或期初余额，更正后重试。");
const QString kNoMemory = QStringLiteral("内存不足，无法完成操作。请关闭其他程序后重试。");
const QString kInterrupted = QStringLiteral("操作被中断，未能完成。请重试。");
const QString kRefused =
    QStringLiteral("账簿拒绝了这项修改（数据不符合账簿的规则），本次修改未保存。请检查输入的内容后重试。");
const QString kOther = QStringLiteral("账簿操作未能完成。请重试；如仍不成功，请与技术支持联系。");

bool writable(const QString &path) { return QFileInfo(path).isWritable(); }

// Whose rights keep the books from being written: the file's or its folder's.
QString readOnlyText(const QString &path)
{
    if (QFileInfo::exists(path) && !writable(path))
        return kReadOnlyFile;
    if (!writable(QFileInfo(path).absolutePath()))
        return kReadOnlyFolder;
    return kReadOnlyFile;
}

QString engineText(const platform::SqlFailure &failure, const QString &path)
{
    if (failure.code == SQLITE_READONLY_DBMOVED)
        return kBooksMoved;
    switch (failure.code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_PROTOCOL:
        return kBooksBusy;
    case SQLITE_READONLY:
        return readOnlyText(path);
    case SQLITE_FULL:
        return kDiskFull;
    case SQLITE_NOTADB:
        return kNotBooks;
    case SQLITE_CORRUPT:
        return kCorrupt;
    case SQLITE_IOERR:
        return kDiskError;
    case SQLITE_CANTOPEN: {
        const QFileInfo file(path);
        if (!file.exists())
            return kMissing.arg(QDir::toNativeSeparators(path));
        if (file.isReadable() && (!file.isWritable() || !writable(file.absolutePath())))
            return readOnlyText(path);
        return kCannotOpen.arg(QDir::toNativeSeparators(path));
    }
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return kNoRights;
    case SQLITE_NOMEM:
        return kNoMemory;
    case SQLITE_INTERRUPT:
        return kInterrupted;
    case SQLITE_CONSTRAINT:
        return kRefused;
    case SQLITE_ERROR:
        // What sum() says when a total passes what integer cents hold.
        if (failure.text.startsWith(QLatin1String("integer overflow")))
            return kTooLarge;
        return kOther;
    default:
        return kOther;
    }
}
} // namespace

QString movedWhileSaving(const QString &path)
{
    return QStringLiteral("账簿文件在保存过程中被移走或替换，本次操作的内容没有保存到 %1。"
                          "请确认该位置上是本系统的账簿文件后，重新进行本次操作。")
        .arg(QDir::toNativeSeparators(path));
}

QString failureText(const platform::SqlFailure &failure, const QString &path)
{
    if (failure.code == 0)
        return failure.text;
    std::fprintf(stderr, "kelopz: books %s: %s (result code %d)\n", qPrintable(path), qPrintable(failure.text),
                 failure.code);
    return engineText(failure, path);
}

} // namespace mdlStandard
