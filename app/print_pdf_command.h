// Kalendo2 --print-pdf: the printed months written to a PDF with no window
// and no display, for scripts and for printing from elsewhere.
#pragma once

namespace kalendo {

// Exit statuses of the print run.
inline constexpr int kPrintPdfDone = 0;
inline constexpr int kPrintPdfUsageError = 2;
// The PDF (or the definition files it is computed from) could not be
// written (read): nothing was left at FILE.
inline constexpr int kPrintPdfFailed = 3;

// The whole run of a line AsksForPrintPdf (argv with the program name):
// the arguments, the definition files as kalendo2-cli reads them (--data,
// --today, --mode; the standard almanac by default, past schedules swept in
// memory), the pages as a window with 設定 never changed prints them (but
// for --place, --reading, --rekichu and --week-start), then
// the PDF in A4 portrait written atomically to FILE. Qt runs on its offscreen platform whatever the environment says;
// no instance lock is taken and no settings or other file is read or
// written. A usage error prints "Kalendo2: <error>" and `usage` on stderr.
int RunPrintPdfCommand(int argc, char** argv, const char* usage);

}  // namespace kalendo
