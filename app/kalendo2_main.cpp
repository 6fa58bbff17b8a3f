// Kalendo2, the window. main() only sets up Qt and hands over to the
// application object; the program takes no options of its own.
#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <string>

#include "core/month_record.h"
#include "platform/platform.h"
#include "platform/qt_platform.h"
#include "platform/text_codec.h"
#include "ui/qt/application.h"

int main(int argc, char** argv) {
    kalendo::PreferXcbUnderWayland();
    QApplication app(argc, argv);
    // Every text of the window passes the converter; without it nothing
    // could be shown, so the reason is shown as plain ASCII.
    if (const std::string error = kalendo::OpenTextCodec(); !error.empty()) {
        std::fprintf(stderr, "Kalendo2: %s\n", error.c_str());
        QMessageBox::critical(nullptr, QStringLiteral("Kalendo2"), QString::fromLatin1(error));
        return kalendo::kFatalExitStatus;
    }
    kalendo::SetUpApplication();
    kalendo::QtPlatform platform;
    kalendo::SetPlatform(&platform);

    kalendo::Kalendo2App kalendo2(kalendo::TheMonthRecord());
    kalendo2.Start();
    kalendo2.QuitOnTerminationSignals();
    return app.exec();
}
