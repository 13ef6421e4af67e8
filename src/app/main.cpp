// The program entry: the sign-in window, then the message loop until the
// sign-in window closes.
#include "program.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const auto F_Login = app::startProgram();
    return QApplication::exec();
}
