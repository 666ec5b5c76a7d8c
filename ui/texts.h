// Texts the code itself shows. The sources are UTF-8; the compiler stores
// these literals as code page 932 bytes for the ANSI calls.
#ifndef VANTRY_TEXTS_H
#define VANTRY_TEXTS_H

#define TEXT_COLUMN_ID    "PID"
#define TEXT_COLUMN_IMAGE "イメージ名"
#define TEXT_COLUMN_PATH  "ファイル名"
#define TEXT_COLUMN_OWNER "ユーザ"

#define TEXT_END_WARNING_FORMAT "「%s」を強制終了しようとしています。\r\n本当に実行しますか？"
// Added to the warning for a process whose end stops Windows itself.
#define TEXT_END_CRITICAL_NOTE "\r\n\r\nこのプロセスは Windows の動作に欠かせないプロセスです。終了すると Windows はただちに停止し、すべてのプログラムの保存されていないデータが失われます。"
#define TEXT_END_WARNING_CAPTION "プロセス強制終了の警告"
#define TEXT_END_FAILED "プロセスを終了できませんでした。"
#define TEXT_END_FAILED_CAPTION "Error"
// A row whose process has ended, or whose identifier now names a process
// started after the list was read.
#define TEXT_ROW_GONE "選択したプロセスは既に終了しています。一覧を更新しました。"
// Why an end failed, where it is known: a process Windows protects even from
// an administrator, and one that was told to end and has not yet.
#define TEXT_END_PROTECTED "このプロセスは Windows によって保護されているため、終了できません。"
#define TEXT_END_STILL_RUNNING "終了を指示しましたが、プロセスはまだ終了していません。しばらくしてから一覧を更新してください。"

// The list's context menu.
#define TEXT_MENU_END "プロセスの終了(&E)"
#define TEXT_MENU_COPY "コピー(&C)"
#define TEXT_MENU_OPEN_LOCATION "ファイルの場所を開く(&O)"
#define TEXT_MENU_PROPERTIES "プロパティ(&R)"
#define TEXT_OPEN_LOCATION_FAILED "ファイルの場所を開けませんでした。"
#define TEXT_PROPERTIES_FAILED "プロパティを表示できませんでした。"
#define TEXT_ERROR_CAPTION TEXT_END_FAILED_CAPTION

// Ending a process tree.
#define TEXT_MENU_END_TREE "プロセス ツリーの終了(&T)"
#define TEXT_END_TREE_WARNING_FORMAT "「%s」と、そこから起動された %d 個のプロセスを強制終了しようとしています。\r\n本当に実行しますか？"
#define TEXT_MENU_END_SAME_NAME "同じ名前のプロセスをすべて終了(&N)"
#define TEXT_END_SAME_NAME_WARNING_FORMAT "「%s」という名前の %d 個のプロセスをすべて強制終了しようとしています。\r\n本当に実行しますか？"
#define TEXT_END_TREE_FAILED_FORMAT "%d 個のプロセスを終了できませんでした。"
// The finder, which selects the process of the window it is dropped on.
#define TEXT_FINDER_TIP "ウィンドウの上へドラッグすると、そのウィンドウのプロセスを選択します"
#define TEXT_FINDER_NOT_FOUND "そのウィンドウのプロセスが見つかりませんでした。"

// Restarting as administrator: the offer when an end fails on a limited
// token, the window menu's item, and the box when Windows would not start it.
#define TEXT_END_FAILED_OFFER_RESTART TEXT_END_FAILED "\r\n\r\n終了するには管理者の権限が必要です。Vantry を管理者として起動し直しますか？"
#define TEXT_MENU_RESTART_ELEVATED "管理者として再起動(&A)"
#define TEXT_RESTART_FAILED "Vantry を管理者として起動し直せませんでした。"

// The window menu's switch that keeps the dialog in front of every window.
#define TEXT_MENU_ALWAYS_ON_TOP "常に手前に表示(&T)"

#endif
