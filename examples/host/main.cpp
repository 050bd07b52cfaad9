// A host application that links the installed library.
#include <orvikviewercomponents6.h>

#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTextStream(stdout) << "OrvikViewerComponents6 " << OrvikViewerComponents6::version() << '\n';
    return 0;
}
