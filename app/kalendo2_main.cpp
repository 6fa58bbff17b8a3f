// Kalendo2, the window. main() only sets up Qt and hands over to the
// application object; the program takes no options of its own.
#include <QApplication>

#include "core/month_record.h"
#include "platform/platform.h"
#include "platform/qt_platform.h"
#include "ui/qt/application.h"
#include "ui/qt/start_checks.h"

int main(int argc, char** argv) {
    if (!kalendo::CheckGraphicalSession()) return kalendo::kRefusedStartStatus;
    kalendo::PreferXcbUnderWayland();
    QApplication app(argc, argv);
    kalendo::SetUpApplication();
    kalendo::QtPlatform platform;
    kalendo::SetPlatform(&platform);
    if (!kalendo::TakeSingleInstanceLock(kalendo::FindFileLocations())) {
        return kalendo::kRefusedStartStatus;
    }

    kalendo::Kalendo2App kalendo2(kalendo::TheMonthRecord());
    kalendo2.Start();
    kalendo2.QuitOnTerminationSignals();
    return app.exec();
}
