#include "accounts/frmkjkmcxck.h"

#include "accounts/openingbalance.h"
#include "platform/msgbox.h"

namespace {
AccountPickerConfig pickerConfig()
{
    AccountPickerConfig c;
    c.name = QStringLiteral("frmkjkmcxck");
    c.okLeft = 960;
    c.cancelLeft = 3840;
    c.buttonsTop = 3840;
    // One opening balance per account.
    c.mayPick = [](const accounts::Account &account) {
        QString status;
        const RecordsetPtr balance = ledger::openingBalanceOf(account.code, status);
        if (!balance) {
            platform::notice(QStringLiteral("读取总帐期初余额失败：") + status);
            return false;
        }
        if (balance->recordCount() > 0) {
            platform::plainNotice(QStringLiteral(" 已存在此会计科目总帐期初余额，请重新选择！"));
            return false;
        }
        return true;
    };
    return c;
}
} // namespace

frmkjkmcxck::frmkjkmcxck(const std::vector<accounts::Account> &matches, QWidget *parent)
    : AccountPicker(matches, pickerConfig(), parent)
{
}
