#include "frame/startup.h"

#include "frame/frmlogin.h"
#include "frame/mdimain.h"

#include "admin/operators.h"
#include "db/mdlstandard.h"
#include "platform/look.h"
#include "platform/msgbox.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

bool booksAreReadable()
{
    QString error;
    if (admin::operatorsReadable(&error))
        return true;
    // The cause says what to do: close the program that holds the books, restore the file...
    platform::notice(
        QStringLiteral("无法打开账簿数据库文件：\n%1\n\n%2\n程序将结束。").arg(mdlStandard::databasePath(), error));
    return false;
}

void loadQtTranslations()
{
    static QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
}

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("kelopz"));
    // No display name: the toolkit would append it to every title on the desktop.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kelopz.png")));
    QApplication::setFont(platform::cjkFont(QStringLiteral("宋体"), 9));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    loadQtTranslations();
}

int Main()
{
    // Without readable books there is nothing to log in to; nothing is created in their place.
    if (!booksAreReadable())
        return 1;
    {
        frmlogin login;
        login.exec();
        if (!login.loginok())
            return 0;
    }
    auto main = std::make_unique<MDIMain>();
    QObject::connect(main.get(), &MDIMain::exitConfirmed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    main->showMaximized();
    return QApplication::exec();
}
