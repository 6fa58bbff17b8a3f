// The window's command ids that the model does not define: the
// application's own commands and the detail dialog's. The navigation, mode,
// jump and schedule commands are the model's (ui/model/month_view.h,
// frame.h, jumps.h, schedule_edit.h).
#pragma once

namespace kalendo {

inline constexpr int kCmdStartupSettings = 2000;  // "スタートアップに登録(&S)"
inline constexpr int kCmdExportIcs = 2001;        // "iCalendarに書き出す…"
inline constexpr int kCmdPrint = 2002;            // "印刷(&P)…"
inline constexpr int kCmdPrintPreview = 2003;     // "印刷プレビュー…"
inline constexpr int kCmdExit = 57665;            // "Kalendoの終了(&X)"
inline constexpr int kCmdAbout = 57664;           // "バージョン情報(&A)..."
inline constexpr int kCmdHelp = 57670;            // "ヘルプ(&H)"
inline constexpr int kCmdDetailInfo = 32799;      // "詳細な暦情報を表示(&D)"

}  // namespace kalendo
