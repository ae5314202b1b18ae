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
        QString error;
        const std::optional<bool> taken = accounts::hasOpeningBalance(account.code, &error);
        if (!taken) {
            platform::notice(error);
            return false;
        }
        if (*taken) {
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
{}
