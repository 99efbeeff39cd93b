#include "keys/CommandTable.h"
#include "resource.h"
#include <iterator>

namespace {

const CommandEntry kCommandTable[] = {
    {ID_NONE, nullptr, L"NONE", L"-", L"nop"},
    {ID_UI_QUIT_CONFIRM, nullptr, L"UI_QUIT_CONFIRM", L"終了", L"確認付き終了"},
    {ID_UI_ACTIVE_TOGGLE, nullptr, L"UI_ACTIVE_TOGGLE", L"窓変更", L"窓変更(トグル)"},
    {ID_UI_MARK, nullptr, L"UI_MARK", L"MARK", L"ファイルをマーク"},
    {ID_UI_MARK_DOWN, nullptr, L"UI_MARK_DOWN", L"MARK", L"ファイルをマーク・下に移動"},
    {ID_UI_LINE_UP, nullptr, L"UI_LINE_UP", L"行↑", L"カーソル移動(一行↑)"},
    {ID_UI_LINE_DOWN, nullptr, L"UI_LINE_DOWN", L"行↓", L"カーソル移動(一行↓)"},
    {ID_UI_PAGE_UP, nullptr, L"UI_PAGE_UP", L"頁↑", L"カーソル移動(一頁↑)"},
    {ID_UI_PAGE_DOWN, nullptr, L"UI_PAGE_DOWN", L"頁↓", L"カーソル移動(一頁↓)"},
    {ID_UI_CUR_TOP, nullptr, L"UI_CUR_TOP", L"最上", L"カーソル移動(最上)"},
    {ID_UI_CUR_BOTTOM, nullptr, L"UI_CUR_BOTTOM", L"最下", L"カーソル移動(最下)"},
    {ID_UI_QUICK_SEARCH, nullptr, L"UI_QUICK_SEARCH", L"検索", L"クイック検索\n名前の先頭を入力するとカーソルが移動します\n↓↑:次・前の候補 Enter:決定 Esc:元に戻す"},
    {ID_FILE_EDIT, nullptr, L"FILE_EDIT", L"編集", L"編集"},
    {ID_FILE_VIEW, nullptr, L"FILE_VIEW", L"閲覧", L"閲覧"},
    {ID_FILE_OPEN_APP, nullptr, L"FILE_OPEN_APP", L"開く", L"関連ｱﾌﾟﾘｹｰｼｮﾝで開く"},
    {ID_FILE_PROPERTY, nullptr, L"FILE_PROPERTY", L"PROPERTY", L"プロパティ"},
    {ID_FILE_COPY, nullptr, L"FILE_COPY", L"複写", L"複写"},
    {ID_FILE_MOVE, nullptr, L"FILE_MOVE", L"移動", L"移動"},
    {ID_FILE_DELETE, nullptr, L"FILE_DELETE", L"削除", L"削除"},
    {ID_FILE_RENAME, nullptr, L"FILE_RENAME", L"名前", L"名前の変更"},
    {ID_FILE_ATTRIBUTES, nullptr, L"FILE_ATTRIBUTES", L"属性", L"属性の変更"},
    {ID_FILE_TIMESTAMP, nullptr, L"FILE_TIMESTAMP", L"日時", L"日付・時刻の変更"},
    {ID_DRIVE_SELECT, &ParameterReceiver::onDriveSelectParameter, L"DRIVE_SELECT", L"DRIVE", L"ドライブ変更\nパラメタでドライブを指定可能"},
    {ID_DIR_ROOT, nullptr, L"DIR_ROOT", L"/", L"ルートディレクトリ"},
    {ID_DIR_PARENT, nullptr, L"DIR_PARENT", L"..", L"親ディレクトリ"},
    {ID_DIR_TREE, nullptr, L"DIR_TREE", L"TREE", L"ツリー表示"},
    {ID_DIR_DIRECT, &ParameterReceiver::onDirDirectParameter, L"DIR_DIRECT", L"直接", L"直接入力\nパラメタでも直接指定できます\nパラメタがない場合は入力画面を表示します"},
    {ID_DIR_HISTORY, nullptr, L"DIR_HISTORY", L"履歴", L"ヒストリ"},
    {ID_DIR_BOOKMARK, nullptr, L"DIR_BOOKMARK", L"BOOKMARK", L"お気に入り"},
    {ID_DIR_BY_ACTIVE, nullptr, L"DIR_BY_ACTIVE", L"揃え", L"アクティブ側に揃える"},
    {ID_DIR_BY_LEFT, nullptr, L"DIR_BY_LEFT", L"揃→", L"左側に揃える"},
    {ID_DIR_BY_RIGHT, nullptr, L"DIR_BY_RIGHT", L"←揃", L"右側に揃える"},
    {ID_DIR_SWAP, nullptr, L"DIR_SWAP", L"窓交換", L"窓入れ替え"},
    {ID_DIR_JUMP, nullptr, L"DIR_JUMP", L"場所へ", L"検索結果の場所へ\nカーソルの項目があるフォルダへ移動し、カーソルをその項目に置きます"},
    {ID_MARK_ALL, nullptr, L"MARK_ALL", L"全選択", L"全て選択"},
    {ID_MARK_ALL_FILE, nullptr, L"MARK_ALL_FILE", L"全FILE", L"全てのファイルを選択"},
    {ID_MARK_TOGGLE, nullptr, L"MARK_TOGGLE", L"反転", L"選択の切り替え"},
    {ID_MARK_TOGGLE_FILE, nullptr, L"MARK_TOGGLE_FILE", L"反転FILE", L"選択ファイルの切り替え"},
    {ID_MARK_CLEAR, nullptr, L"MARK_CLEAR", L"全解除", L"選択の解除"},
    {ID_MACRO, &ParameterReceiver::onMacroParameter, L"MACRO", L"コマンド", L"外部ｱﾌﾟﾘｹｰｼｮﾝの実行\nパラメタでコマンドを記述可能\n$D:drive $P:path $C:file $A:選択\n$fC:フルパス $qC:\"～\" など\n"},
    {ID_MACRO_DOS, nullptr, L"MACRO_DOS", L"DOS", L"DOSプロンプト"},
    {ID_TOOL_MKDIR, nullptr, L"TOOL_MKDIR", L"MKDIR", L"ディレクトリ作成"},
    {ID_TOOL_NEWFILE, nullptr, L"TOOL_NEWFILE", L"新FILE", L"ファイル作成"},
    {ID_TOOL_SHORTCUT, nullptr, L"TOOL_SHORTCUT", L"ｼｮｰﾄｶｯﾄ", L"ショートカット作成"},
    {ID_TOOL_FIND, nullptr, L"TOOL_FIND", L"FIND", L"検索\nフォルダの下を名前・内容・サイズ・日付で検索し、結果を窓に表示します\n検索中にもう一度押すか Esc で止めます"},
    {ID_TOOL_DIR_SIZE, nullptr, L"TOOL_DIR_SIZE", L"容量", L"容量計算\nマークしたフォルダ(なければカーソルのフォルダ)の\n合計サイズとファイル数を計算します Esc:中止"},
    {ID_TOOL_DIR_SIZE_ALL, nullptr, L"TOOL_DIR_SIZE_ALL", L"全容量", L"全フォルダの容量計算\n一覧のすべてのフォルダの合計サイズを計算します Esc:中止"},
    {ID_MARK_COMPARE, nullptr, L"MARK_COMPARE", L"比較", L"比較マーク\n左右の窓を比較して違うファイルを両方の窓でマーク\n時刻とサイズ・サイズのみ・内容から選べます"},
    {ID_VIEW_RENEW, nullptr, L"VIEW_RENEW", L"更新", L"最新の情報に更新"},
    {ID_VIEW_WILDCARD, &ParameterReceiver::onWildcardParameter, L"VIEW_WILDCARD", L"マスク", L"マスク指定\nパラメタでも直接指定できます\nパラメタがない場合は入力画面を表示します"},
    {ID_VIEW_ALLCARD, nullptr, L"VIEW_ALLCARD", L"*.*", L"マスク解除"},
    {ID_SORT_UI, nullptr, L"SORT_UI", L"ソート", L"ソートメニュー"},
    {ID_SORT_NONE, nullptr, L"SORT_NONE", L"SORT無", L"ソート:なし"},
    {ID_SORT_FILENAME, nullptr, L"SORT_FILENAME", L"FILE順", L"ソート:ファイル名順"},
    {ID_SORT_FILE_EXT, nullptr, L"SORT_FILE_EXT", L"拡張子順", L"ソート:拡張子順"},
    {ID_SORT_TIME_NEW, nullptr, L"SORT_TIME_NEW", L"新順", L"ソート:新しい順"},
    {ID_SORT_TIME_OLD, nullptr, L"SORT_TIME_OLD", L"古順", L"ソート:古い順"},
    {ID_SORT_SIZE_BIG, nullptr, L"SORT_SIZE_BIG", L"大順", L"ソート:大きい順"},
    {ID_SORT_SIZE_SMALL, nullptr, L"SORT_SIZE_SMALL", L"小順", L"ソート:小さい順"},
    {ID_SORT_OPT_DIR, nullptr, L"SORT_OPT_DIR", L"DIR優先", L"フォルダを前へ"},
    {ID_VIEW_BUTTON_BAR, nullptr, L"VIEW_BUTTON_BAR", L"B-BAR", L"ﾎﾞﾀﾝﾊﾞｰ"},
    {ID_SPLIT_CENTER, nullptr, L"SPLIT_CENTER", L"中央割", L"中央で分割"},
    {ID_OPT_SETUP, nullptr, L"OPT_SETUP", L"設定", L"設定"},
    {ID_OPT_SETUP_KEY, nullptr, L"OPT_SETUP_KEY", L"KEY", L"キー設定"},
    {ID_OPT_SETUP_FONT, nullptr, L"OPT_SETUP_FONT", L"FONT", L"FONT設定"},
    {ID_APP_EXIT, nullptr, L"APP_EXIT", L"終了", L"ｱﾌﾟﾘｹｰｼｮﾝの終了"},
    {ID_EDIT_CUT, nullptr, L"EDIT_CUT", L"切取", L"切り取り"},
    {ID_EDIT_COPY, nullptr, L"EDIT_COPY", L"COPY", L"ｺﾋﾟｰ"},
    {ID_EDIT_PASTE, nullptr, L"EDIT_PASTE", L"貼付", L"貼り付け"},
    {ID_VIEW_STATUS_BAR, nullptr, L"VIEW_STATUS_BAR", L"S-BAR", L"ｽﾃｰﾀｽ ﾊﾞｰ"},
    {ID_WINDOW_SPLIT, nullptr, L"WINDOW_SPLIT", L"分割線", L"分割を移動"},
    {ID_APP_ABOUT, nullptr, L"APP_ABOUT", L"about", L"Vantor のﾊﾞｰｼﾞｮﾝ情報"},
};

const CommandEntry* entryOf(unsigned id) {
    for (const CommandEntry& entry : kCommandTable)
        if (entry.id == id) return &entry;
    return nullptr;
}

}  // namespace

std::span<const CommandEntry> commandTable() { return kCommandTable; }

const wchar_t* commandName(unsigned id) {
    const CommandEntry* entry = entryOf(id);
    return entry ? entry->name : nullptr;
}

const wchar_t* commandShortLabel(unsigned id) {
    const CommandEntry* entry = entryOf(id);
    return entry ? entry->shortLabel : nullptr;
}

const wchar_t* commandDescription(unsigned id) {
    const CommandEntry* entry = entryOf(id);
    return entry ? entry->description : nullptr;
}

unsigned commandIdOf(std::wstring_view name) {
    for (const CommandEntry& entry : kCommandTable)
        if (name == entry.name) return entry.id;
    return 0;
}

ParameterHandler parameterHandlerOf(unsigned id) {
    const CommandEntry* entry = entryOf(id);
    return entry ? entry->parameterHandler : nullptr;
}

int commandRowOf(unsigned id) {
    const CommandEntry* entry = entryOf(id);
    return entry ? static_cast<int>(entry - std::begin(kCommandTable)) : -1;
}
