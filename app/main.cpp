#include "qln_main.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Qln_main qln;
    (void)qln;
    return 0;
}
