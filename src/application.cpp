#include "application.h"

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool Application::nativeEventFilter(const QByteArray &, void *, qintptr *)
{
    return false;
}
