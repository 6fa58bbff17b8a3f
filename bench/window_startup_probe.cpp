// The window's start-up as the program runs it (the same steps as
// app/kalendo2_main.cpp), ended at its first paint (first_paint.h). The
// probe ends without writing its settings. bench/window_startup.sh runs it.
#include <QApplication>

#include "bench/first_paint.h"
#include "core/month_record.h"
#include "platform/platform.h"
#include "platform/qt_platform.h"
#include "platform/text_codec.h"
#include "ui/qt/application.h"
#include "ui/qt/main_frame.h"

int main(int argc, char** argv) {
    const long long t0Ns = kalendo::bench::StartNs();
    kalendo::PreferXcbUnderWayland();
    QApplication app(argc, argv);
    if (!kalendo::OpenTextCodec().empty()) return kalendo::kFatalExitStatus;
    kalendo::SetUpApplication();
    kalendo::QtPlatform platform;
    kalendo::SetPlatform(&platform);
    kalendo::Kalendo2App kalendo2(kalendo::TheMonthRecord());
    kalendo::bench::FirstPaint probe(t0Ns);
    kalendo2.Start();
    kalendo2.frame().installEventFilter(&probe);
    return app.exec();
}
