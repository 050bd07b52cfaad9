#include "fuzz.h"
#include "testsettings.h"

#include <QApplication>

void Fuzz::ensureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = { name, nullptr };
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*.debug=false;*.warning=false");
    // Never destroyed: the targets' own static widgets go first at exit.
    [[maybe_unused]] static const auto* application = new QApplication(argc, argv);
    static TestSettings settings;
}
