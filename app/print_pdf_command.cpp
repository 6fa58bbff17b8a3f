#include "app/print_pdf_command.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>

#include <stdlib.h>  // mkdtemp

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/run.h"
#include "defs/schedules.h"
#include "platform/console_platform.h"
#include "platform/file_io.h"
#include "platform/platform.h"
#include "platform/terminal_text.h"
#include "platform/text_codec.h"
#include "ui/model/print_layout.h"
#include "ui/qt/fonts.h"
#include "ui/qt/print_pages.h"

namespace kalendo {
namespace {

// Without XDG_RUNTIME_DIR (a cron job, env -i) Qt makes a runtime folder
// of its own under the temporary folder as it starts, and leaves it. The
// print run then hands it a private one for the run and removes it again,
// so that nothing but the PDF remains.
class ScratchRuntimeFolder {
public:
    ScratchRuntimeFolder() {
        if (std::getenv("XDG_RUNTIME_DIR") != nullptr) return;
        std::string pattern = (QDir::tempPath() + QStringLiteral("/kalendo2-print-XXXXXX")).toStdString();
        if (mkdtemp(pattern.data()) == nullptr) return;  // Qt then makes its own
        folder_ = pattern;
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder_));
    }
    ~ScratchRuntimeFolder() {
        if (!folder_.empty()) QDir(QString::fromStdString(folder_)).removeRecursively();
    }
    ScratchRuntimeFolder(const ScratchRuntimeFolder&) = delete;
    ScratchRuntimeFolder& operator=(const ScratchRuntimeFolder&) = delete;

private:
    std::string folder_;
};

}  // namespace

int RunPrintPdfCommand(int argc, char** argv, const char* usage) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParsedPrintPdfLine parsed = ParsePrintPdfLine(args);
    if (!parsed.usageError.empty()) {
        PrintTerminalLine("Kalendo2: " + parsed.usageError);
        std::fputs(usage, stderr);
        return kPrintPdfUsageError;
    }
    const PrintPdfOptions& options = parsed.options;
    static ConsolePlatform platform;
    SetPlatform(&platform);
    if (const std::string error = OpenTextCodec(); !error.empty()) {
        PrintTerminalLine("Kalendo2: " + error);
        return kPrintPdfFailed;
    }
    if (options.almanac.today) platform.FixToday(*options.almanac.today);
    MonthRecord& rec = TheMonthRecord();
    if (const std::string error = OpenDefinitionFiles(rec, options.almanac.dataFolder); !error.empty()) {
        PrintTerminalLine("Kalendo2: " + error);
        return kPrintPdfFailed;
    }
    // As the window shows them after its start.
    RemovePastSchedules(rec);
    // No settings file is read: the pages are those of a window whose 設定
    // were never changed (天赦日 and 一粒万倍日 picked, the sky of 東京), but
    // for what the line says.
    PrintSettings settings = PrintSettingsOf(AppSettings{});
    settings.weekStart = options.almanac.weekStart.value_or(settings.weekStart);
    settings.readings = options.almanac.readings;
    settings.rekichuPicks = options.almanac.include.rekichuPicks;
    if (options.almanac.place) settings.place = options.almanac.place;
    const std::vector<PrintPage> pages = BuildPrintPages(
        rec, options.first, options.last, options.almanac.mode.value_or(AlmanacMode::Standard), settings);

    // Qt sees no argument of ours (nor a -platform), and draws offscreen:
    // no display is needed and none is opened.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const ScratchRuntimeFolder runtimeFolder;
    int qtArgc = 1;
    char programName[] = "Kalendo2";
    char* qtArgv[] = {programName, nullptr};
    QApplication app(qtArgc, qtArgv);
    InstallJapaneseFonts();
    const QByteArray pdf = PrintPdfBytes(pages, PrintPageLayout());

    AtomicFileWriter file(options.file);
    if (!file.Write(std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size()))) ||
        !file.Commit()) {
        PrintTerminalLine("Kalendo2: " + options.file + ": " + std::strerror(file.error()));
        return kPrintPdfFailed;
    }
    return kPrintPdfDone;
}

}  // namespace kalendo
