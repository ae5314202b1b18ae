#pragma once
// What the user is told when the books fail: each engine result a user can meet, worded
// in Chinese as what happened and what to do. The engine's own English text goes to
// standard error only, for support.

#include "platform/sqlconnection.h"

#include <QString>

namespace mdlStandard {

// The sentence for a failure of the books file at path. A refusal of our own (code 0)
// is already worded and comes back as it is.
QString failureText(const platform::SqlFailure &failure, const QString &path);

// Another program holds the books locked.
inline const QString kBooksBusy =
    QStringLiteral("账簿正被另一个程序使用，暂时无法读写。请关闭使用该账簿的其他程序后重试。");
// A unit of work whose file was taken away or replaced while it ran.
inline const QString kBooksMoved =
    QStringLiteral("账簿文件已被移走或替换，本次操作已全部撤销。请确认账簿文件在原处后重试。");
// Work that was saved into the file the program had open, after that file was taken away
// from path or replaced there while the work was being saved.
QString movedWhileSaving(const QString &path);

// A save that was written, but whose record could not be read back to be shown as stored;
// followed by the reason, when there is one.
inline const QString kSavedUnread =
    QStringLiteral("已保存，但无法重新读取保存后的内容，窗口中显示的可能与账簿不一致，请关闭本窗口后重新打开查看。");

} // namespace mdlStandard
