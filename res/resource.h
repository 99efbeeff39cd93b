// Resource and command identifiers shared by the resource script and the code.
// Command identifiers are grouped so that range handlers can cover a family.
#pragma once

// Templates, menus, icons and the document string.
#define IDR_MAINFRAME           128     // menu, icon, document string
#define IDR_SORT_MENU           146
#define IDD_ABOUTBOX            100
#define IDD_INPUT               137
#define IDD_BUTTON_BAR          160

// Controls.
// Function-key button bar: F1 to F12 in order, then the spacer.
#define IDC_BUTTON_F1             1084
#define IDC_BUTTON_F2             1085
#define IDC_BUTTON_F3             1086
#define IDC_BUTTON_F4             1087
#define IDC_BUTTON_F5             1088
#define IDC_BUTTON_F6             1089
#define IDC_BUTTON_F7             1090
#define IDC_BUTTON_F8             1091
#define IDC_BUTTON_F9             1092
#define IDC_BUTTON_F10            1093
#define IDC_BUTTON_F11            1094
#define IDC_BUTTON_F12            1095
#define IDC_BUTTON_BAR_SPACER   1096
#define IDC_ABOUT_BUILT         1101
#define IDC_INPUT_EDIT          1022
#define IDC_INPUT_LABEL         1100

// File jobs: progress dialogs and the same-name dialogs.
#define IDD_TRANSFER_PROGRESS   130
#define IDD_CONFLICT_FILE       131
#define IDD_CONFLICT_FOLDER     132
#define IDD_ITEM_PROGRESS       143
#define IDC_JOB_SOURCE          1000    // also the same-name dialog's source line
#define IDC_JOB_TARGET          1001    // also the same-name dialog's target line
#define IDC_CONFLICT_SOURCE_STAMP   1002    // the source's time and size, under its path
#define IDC_CONFLICT_TARGET_STAMP   1003
#define IDC_CONFLICT_ONLY_NEWER 1004
#define IDC_CONFLICT_OVERWRITE  1005
#define IDC_CONFLICT_RENAME     1006
#define IDC_CONFLICT_SKIP       1007
#define IDC_CONFLICT_DELETE     1008
#define IDC_CONFLICT_NAME       1009
#define IDC_CONFLICT_ALL        1010
#define IDC_JOB_SOURCE_LABEL    1020
#define IDC_JOB_TARGET_LABEL    1021
#define IDC_JOB_FILE_BAR        1026    // how far the file being copied has got
#define IDC_JOB_BAR             1027    // how far the whole job has got, once its size is known
#define IDC_JOB_FIGURES         1028    // bytes done, of all, and the rate

// Changing items in place: the attribute and timestamp dialogs.
#define IDD_ATTRIBUTES          141
#define IDD_TIMESTAMP           142
#define IDC_ATTRIBUTE_HIDDEN    1049
#define IDC_ATTRIBUTE_READONLY  1050
#define IDC_ATTRIBUTE_SYSTEM    1051
#define IDC_ATTRIBUTE_ARCHIVE   1052
#define IDC_ITEM_RECURSE        1053    // "下階層も変更" in both dialogs
#define IDC_TIME_CREATION       1054    // each row: its check box, then year, month, day,
#define IDC_TIME_ACCESS         1061    // hour, minute and second in the six ids that follow
#define IDC_TIME_WRITE          1068

// The settings dialog.
#define IDD_SETTINGS            139
#define IDC_COLOR_BACK          1031    // the six colour buttons, in the order of the colours
#define IDC_COLOR_DIR           1032
#define IDC_COLOR_HIDE          1033
#define IDC_COLOR_READONLY      1034
#define IDC_COLOR_SYSTEM        1035
#define IDC_COLOR_NORMAL        1036
#define IDC_SETTINGS_TIME_FORMAT    1037
#define IDC_SETTINGS_SIZE_WIDTH     1038
#define IDC_SETTINGS_ATTRIBUTES     1039
#define IDC_SETTINGS_SIZE_SPIN      1040
#define IDC_SETTINGS_VIEWER         1041
#define IDC_SETTINGS_VIEWER_PICK    1042
#define IDC_SETTINGS_VIEWER_DIR     1043
#define IDC_SETTINGS_VIEWER_DIR_PICK    1044
#define IDC_SETTINGS_EDITOR         1045
#define IDC_SETTINGS_EDITOR_PICK    1046
#define IDC_SETTINGS_EDITOR_DIR     1047
#define IDC_SETTINGS_EDITOR_DIR_PICK    1048
#define IDC_SETTINGS_HELP           1077

// Folder dialogs: drive selection, folder input, folder history and bookmark list.
#define IDD_DRIVE_SELECT        133
#define IDD_FOLDER_INPUT        134
#define IDD_FOLDER_LIST         135
#define IDC_DRIVE_LIST          1002
#define IDC_DRIVE_EDIT          1003
#define IDC_FOLDER_EDIT         1011
#define IDC_FOLDER_BROWSE       1012
#define IDC_FOLDER_LIST         1013
#define IDC_FOLDER_LIST_EDIT    1015
#define IDC_FOLDER_LIST_DELETE  1016
#define IDC_FOLDER_LIST_CLEAR_ALL   1075
#define IDC_FOLDER_LIST_STORE_LEFT  1097    // side 0, then side 1: one range handler
#define IDC_FOLDER_LIST_STORE_RIGHT 1098

// Command execution dialog: command line, start folder and the command history.
#define IDD_COMMAND             136
#define IDC_COMMAND_FOLDER      1011
#define IDC_COMMAND_FOLDER_BROWSE   1012
#define IDC_COMMAND_DELETE      1016
#define IDC_COMMAND_LINE        1024
#define IDC_COMMAND_HISTORY     1025
#define IDC_COMMAND_BROWSE      1030
#define IDC_COMMAND_DELETE_ALL  1075

// Key dialogs: the list of key assignments and the dialog for one assignment.
#define IDD_KEY_LIST            144
#define IDD_KEY_ASSIGN          145

// The compare dialog ("比較マーク"): the rule as three radio buttons, and the subfolders' check box.
#define IDD_COMPARE             148
#define IDC_COMPARE_TIME_SIZE   1130
#define IDC_COMPARE_SIZE        1131
#define IDC_COMPARE_CONTENT     1132
#define IDC_COMPARE_SUBFOLDERS  1133
#define IDC_KEY_LIST            1014
#define IDC_KEY_LIST_EDIT       1015
#define IDC_KEY_LIST_DELETE     1016
#define IDC_KEY_LIST_ADD        1017
#define IDC_KEY_LIST_UP         1018
#define IDC_KEY_LIST_DOWN       1019
#define IDC_KEY_DESCRIPTION     1077    // in both dialogs
#define IDC_KEY_CODE            1078
#define IDC_KEY_COMMAND         1079
#define IDC_KEY_SHIFT           1080
#define IDC_KEY_CTRL            1081
#define IDC_KEY_ALT             1082
#define IDC_KEY_PARAMETER       1083
#define IDC_KEY_CAPTION         1099

// The quick search line over a pane.
#define IDC_QUICK_SEARCH_EDIT   1102

// The find dialog.
#define IDD_FIND                147
#define IDC_FIND_FOLDER         1110
#define IDC_FIND_MASK           1111
#define IDC_FIND_TEXT           1112
#define IDC_FIND_CASE           1113
#define IDC_FIND_UTF8           1114
#define IDC_FIND_UTF16          1115
#define IDC_FIND_SJIS           1116
#define IDC_FIND_SUBFOLDERS     1117
#define IDC_FIND_HIDDEN         1118
#define IDC_FIND_MIN_SIZE       1119
#define IDC_FIND_MAX_SIZE       1120
#define IDC_FIND_FROM           1121
#define IDC_FIND_UNTIL          1122

// The program's own commands (32771 to 32831).
#define ID_NONE                 32771
#define ID_UI_QUIT_CONFIRM      32772
#define ID_UI_ACTIVE_TOGGLE     32773
#define ID_UI_MARK              32774
#define ID_UI_MARK_DOWN         32775
#define ID_UI_LINE_UP           32776
#define ID_UI_LINE_DOWN         32777
#define ID_UI_PAGE_UP           32778
#define ID_UI_PAGE_DOWN         32779
#define ID_UI_CUR_TOP           32780
#define ID_UI_CUR_BOTTOM        32781
#define ID_FILE_EDIT            32782
#define ID_FILE_VIEW            32783
#define ID_FILE_OPEN_APP        32784
#define ID_FILE_PROPERTY        32785
#define ID_FILE_COPY            32786
#define ID_FILE_MOVE            32787
#define ID_FILE_DELETE          32788
#define ID_FILE_RENAME          32789
#define ID_FILE_ATTRIBUTES      32790
#define ID_FILE_TIMESTAMP       32791
#define ID_DRIVE_SELECT         32793
#define ID_DIR_ROOT             32794
#define ID_DIR_PARENT           32795
#define ID_DIR_TREE             32796
#define ID_DIR_DIRECT           32797
#define ID_DIR_HISTORY          32798
#define ID_DIR_BOOKMARK         32799
#define ID_DIR_BY_ACTIVE        32800
#define ID_DIR_BY_LEFT          32801
#define ID_DIR_BY_RIGHT         32802
#define ID_DIR_SWAP             32803
#define ID_MARK_ALL             32804
#define ID_MARK_ALL_FILE        32805
#define ID_MARK_TOGGLE          32806
#define ID_MARK_TOGGLE_FILE     32807
#define ID_MARK_CLEAR           32808
#define ID_MACRO                32809
#define ID_MACRO_DOS            32810
#define ID_TOOL_MKDIR           32811
#define ID_TOOL_NEWFILE         32812
#define ID_SORT_NONE            32813
#define ID_SORT_FILENAME        32814
#define ID_SORT_FILE_EXT        32815
#define ID_SORT_TIME_NEW        32816
#define ID_SORT_TIME_OLD        32817
#define ID_SORT_SIZE_BIG        32818
#define ID_SORT_SIZE_SMALL      32819
#define ID_SORT_OPT_DIR         32820
#define ID_SPLIT_CENTER         32821
#define ID_OPT_SETUP            32822
#define ID_OPT_SETUP_KEY        32823
#define ID_VIEW_RENEW           32824
#define ID_VIEW_WILDCARD        32825
#define ID_VIEW_ALLCARD         32826
#define ID_TOOL_SHORTCUT        32827
#define ID_SORT_UI              32828
#define ID_VIEW_BUTTON_BAR      32829
#define ID_UI_QUICK_SEARCH      32830
#define ID_OPT_SETUP_FONT       32831
// Commands added since, after a gap that leaves room for others.
#define ID_TOOL_FIND            32840
#define ID_DIR_JUMP             32841
#define ID_TOOL_DIR_SIZE        32842
#define ID_TOOL_DIR_SIZE_ALL    32843
#define ID_MARK_COMPARE         32844

// The framework's standard commands.
#define ID_FILE_NEW             57600
#define ID_FILE_OPEN            57601
#define ID_EDIT_COPY            57634
#define ID_EDIT_CUT             57635
#define ID_EDIT_PASTE           57637
#define ID_WINDOW_SPLIT         57653
#define ID_APP_ABOUT            57664
#define ID_APP_EXIT             57665
#define ID_VIEW_STATUS_BAR      59393

// Framework strings: idle text of the status bar and the indicator texts.
#define IDS_IDLE_MESSAGE        57345
#define ID_INDICATOR_CAPS       59137
#define ID_INDICATOR_NUM        59138
#define ID_INDICATOR_SCRL       59139
#define ID_INDICATOR_KANA       59142
