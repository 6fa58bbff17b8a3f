// Kalendo2, the window. main() only sets up Qt and hands over to the
// application object. The program answers --help and --version, prints
// months to a PDF with --print-pdf; any other argument is ignored.
#include <QApplication>
#include <QMessageBox>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/print_pdf_command.h"
#include "cli/arguments.h"

#include "core/month_record.h"
#include "platform/display_platform.h"
#include "platform/platform.h"
#include "platform/qt_platform.h"
#include "platform/ready_notice.h"
#include "platform/text_codec.h"
#include "ui/model/settings.h"  // kProgramVersion
#include "ui/qt/application.h"
#include "ui/qt/start_checks.h"

namespace {

constexpr int kStartWindow = -1;

constexpr char kWindowUsage[] =
    "Usage: Kalendo2\n"
    "       Kalendo2 [--data DIR] [--today YYYY-MM-DD] [--mode MODE]\n"
    "                [--place PLACE] [--reading NAME=READING]... [--rekichu NAMES]\n"
    "                [--week-start sunday|monday]\n"
    "                --print-pdf FILE FIRST-MONTH [LAST-MONTH]\n"
    "       Kalendo2 --help | --version\n"
    "Shows the Japanese almanac of a month in a window. Other arguments are\n"
    "ignored. kalendo2-cli prints the same almanac as JSON.\n"
    "  --print-pdf FILE FIRST-MONTH [LAST-MONTH]\n"
    "             write the months YYYY-MM FIRST to LAST (default FIRST), a page\n"
    "             each, to the PDF FILE (A4) and exit, with no window and no\n"
    "             display; --data, --today and --mode as for kalendo2-cli;\n"
    "             --place, --reading, --rekichu and --week-start stand for 設定\n"
    "             (default: 東京, the default readings, 天赦日,一粒万倍日, sunday)\n"
    "  --help     print this text and exit\n"
    "  --version  print the version and exit\n"
    "Exit status of --print-pdf: 0 written; 2 usage error; 3 FILE cannot be\n"
    "written or a definition file cannot be used (FILE is then left as it was).\n"
    "See Kalendo2(1).\n";

// --help and --version are answered before any Qt object exists, so that
// they need no display. The first of them on the line decides. Returns the
// exit status (kFatalExitStatus when stdout cannot take the text), or
// kStartWindow.
int AnswerInformationArguments(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kWindowUsage, stdout);
            return std::fflush(stdout) == 0 ? 0 : kalendo::kFatalExitStatus;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Kalendo2 %s\n", kalendo::kProgramVersion);
            return std::fflush(stdout) == 0 ? 0 : kalendo::kFatalExitStatus;
        }
    }
    return kStartWindow;
}

}  // namespace

int main(int argc, char** argv) {
    // A file-size limit (ulimit -f) reached by a save or the PDF is a failed
    // write with its message (EFBIG), not the end of the process with the
    // user's edit and no word.
    std::signal(SIGXFSZ, SIG_IGN);
    if (const int status = AnswerInformationArguments(argc, argv); status != kStartWindow) {
        return status;
    }
    if (kalendo::AsksForPrintPdf(std::vector<std::string>(argv + 1, argv + argc))) {
        return kalendo::RunPrintPdfCommand(argc, argv, kWindowUsage);
    }
    if (!kalendo::CheckGraphicalSession()) return kalendo::kRefusedStartStatus;
    kalendo::PreferXcbUnderWayland();
    if (!kalendo::CheckDisplayPlatform()) return kalendo::kRefusedStartStatus;
    const kalendo::ReadyNotice ready = kalendo::ReadyNotice::FromEnvironment();
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
    if (!kalendo::TakeSingleInstanceLock(kalendo::FindFileLocations())) {
        return kalendo::kRefusedStartStatus;
    }

    kalendo::Kalendo2App kalendo2(kalendo::TheMonthRecord());
    kalendo2.Start();
    kalendo2.QuitOnTerminationSignals();
    // The window is shown and a termination signal now ends it as closing
    // it does: whoever waits for the start may go on.
    ready.Send();
    return app.exec();
}
