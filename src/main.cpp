#include "frame/startup.h"
#include "platform/look.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelopz"));
    QApplication::setApplicationDisplayName(QStringLiteral("财务澄川账簿信息系统"));
    QApplication::setFont(platform::cjkFont(QStringLiteral("宋体"), 9));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));

    // Qt's own texts (message-box buttons, print preview, standard dialogs) in Chinese.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    return Main();
}
