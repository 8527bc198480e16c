// The renderer paints with Qt, which needs a GUI application: the runner makes one the first time
// a script saves a PDF, on the offscreen platform unless QT_QPA_PLATFORM names another, so no
// display is needed. It stays until the process ends (Qt's own globals go before it could be
// destroyed safely).
#include "host/script/PdfOutput.h"

#include "host/report/ReportRenderer.h"

#include <QGuiApplication>

namespace script {

namespace {

void EnsureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kelo-prevendas-script";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* const application = new QGuiApplication(argc, argv);
    (void)application;
}

} // namespace

bool WritePdf(const platform::LaidOutReport& pages, const std::string& path, std::string& why)
{
    EnsureGuiApplication();
    if (report::WritePdf(pages, path))
        return true;
    why = "cannot write the file";
    return false;
}

} // namespace script
