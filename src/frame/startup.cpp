#include "frame/startup.h"

#include "frame/frmlogin.h"
#include "frame/mdimain.h"

#include <QApplication>

#include <memory>

int Main()
{
    {
        frmlogin login;
        login.exec();
        if (!login.loginok)
            return 0;
    }
    auto main = std::make_unique<MDIMain>();
    QObject::connect(main.get(), &MDIMain::exitConfirmed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    main->showMaximized();
    return QApplication::exec();
}
