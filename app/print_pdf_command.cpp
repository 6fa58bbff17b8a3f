#include "app/print_pdf_command.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QIODevice>

#include <stdlib.h>  // mkdtemp

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
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
#include "ui/model/file_error.h"
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

// The PDF writer's output straight into the file being replaced: nothing
// of the document is kept beyond AtomicFileWriter's 64 kB of gathering.
class AtomicFileDevice final : public QIODevice {
public:
    explicit AtomicFileDevice(AtomicFileWriter& file) : file_(file) { open(QIODevice::WriteOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 n) override {
        return file_.Write(std::string_view(data, static_cast<std::size_t>(n))) ? n : -1;
    }

private:
    AtomicFileWriter& file_;
};

// The console's platform, except that a fatal error first removes the
// unfinished PDF's temporary file (a fatal exit runs no destructor).
class PrintPdfPlatform final : public ConsolePlatform {
public:
    AtomicFileWriter* unfinished = nullptr;
    [[noreturn]] void FatalUtf8(std::string_view utf8) override {
        if (unfinished != nullptr) unfinished->Abandon();
        ConsolePlatform::FatalUtf8(utf8);
    }
    [[noreturn]] void Fatal(std::string_view cp932) override { FatalUtf8(Utf8FromCp932(cp932)); }
};

// The reason in words, as the window's saves say it ("FIFO やデバイスなど、
// 通常のファイルではありません" for /dev/full).
std::string WriteFailure(const std::string& path, int error) {
    return "Kalendo2: " + path + ": " + Utf8FromCp932(FileErrorReason(error));
}

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
    static PrintPdfPlatform platform;
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

    // Qt sees no argument of ours (nor a -platform), and draws offscreen:
    // no display is needed and none is opened.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const ScratchRuntimeFolder runtimeFolder;
    int qtArgc = 1;
    char programName[] = "Kalendo2";
    char* qtArgv[] = {programName, nullptr};
    QApplication app(qtArgc, qtArgv);
    InstallJapaneseFonts();

    // A page at a time, computed, drawn and written, then the next: the
    // memory of one page whatever the range. The first failed write stops
    // the drawing; any failure leaves the old file and no temporary one.
    AtomicFileWriter file(options.file);
    if (!file.ok()) {
        PrintTerminalLine(WriteFailure(options.file, file.error()));
        return kPrintPdfFailed;
    }
    platform.unfinished = &file;
    try {
        AtomicFileDevice device(file);
        {
            PdfPageStream pdf(device, PrintPageLayout());
            VisitPrintPages(rec, options.first, options.last,
                            options.almanac.mode.value_or(AlmanacMode::Standard), settings,
                            [&](const PrintPage& page) {
                                pdf.Paint(page);
                                return file.ok();
                            });
        }
        platform.unfinished = nullptr;
        if (!file.Commit()) {
            PrintTerminalLine(WriteFailure(options.file, file.error()));
            return kPrintPdfFailed;
        }
    } catch (const std::bad_alloc&) {
        platform.unfinished = nullptr;
        file.Abandon();
        PrintTerminalLine(WriteFailure(options.file, ENOMEM));
        return kPrintPdfFailed;
    }
    return kPrintPdfDone;
}

}  // namespace kalendo
