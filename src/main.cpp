#include "frame/startup.h"
#include "platform/look.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelopz"));
    QApplication::setApplicationDisplayName(QStringLiteral("财务澄川账簿信息系统"));
    QApplication::setFont(platform::cjkFont(QStringLiteral("宋体"), 9));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    loadQtTranslations();
    return Main();
}
