#include "vouchers/frmpzlrcxck.h"

namespace {
AccountPickerConfig pickerConfig()
{
    AccountPickerConfig c;
    c.name = QStringLiteral("frmpzlrcxck");
    c.okLeft = 720;
    c.cancelLeft = 3360;
    c.buttonsTop = 3960;
    c.buttonBack = QColor(0, 192, 192);
    return c;
}
} // namespace

frmpzlrcxck::frmpzlrcxck(const std::vector<accounts::Account> &matches, QWidget *parent)
    : AccountPicker(matches, pickerConfig(), parent)
{}
