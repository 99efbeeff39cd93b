// "フォルダ一覧": the numbered folders of a settings section as lettered lines; the pane's history
// (read-only but for "全削除") and the bookmarks (editable) are its two variants.
#pragma once
#include "framework/Dialog.h"
#include <functional>
#include <string>

class NumberedSection;
class FolderHistory;

class FolderListDialog : public Dialog {
public:
    // editable: whether "編集", "削除", "登録(左)" and "登録(右)" are offered.
    FolderListDialog(NumberedSection& store, bool editable);

    std::wstring title;    // replaces "フォルダ一覧" when not empty
    int chosenIndex = -1;  // the line selected when OK was pressed, -1 for none (or no OK)

protected:
    const MessageMap* messageMap() const override;
    bool onInitDialog() override;
    void onOK() override;

    // Empties the list box and shows the store's folders.
    virtual void fillList() = 0;
    virtual void editSlot(int index) { (void)index; }
    virtual void clearSlot(int index) { (void)index; }
    // side 0 is the left pane, 1 the right one.
    virtual void storePaneFolder(int side, int index) { (void)side; (void)index; }

    // Writes the slot and shows its new line, selected.
    void setSlot(int index, const std::wstring& text);
    void insertLine(int index, const std::wstring& folder);
    void clearLines();
    int selectedLine() const;
    NumberedSection& store() const { return store_; }

private:
    void updateButtons();
    void onClearAll();
    void onClearSlot();
    void onEditSlot();
    void onStorePaneFolder(UINT id);

    NumberedSection& store_;
    const bool editable_;
};

// The folders a pane visited, most recent first; "全削除" empties the pane's list at once.
class HistoryDialog : public FolderListDialog {
public:
    explicit HistoryDialog(FolderHistory& history);

protected:
    void fillList() override;

private:
    FolderHistory& history_;
};

// The bookmark slots, all shown, empty ones too; every change is written to the settings file at once.
class BookmarkDialog : public FolderListDialog {
public:
    // paneFolder(side) gives the current folder of the left (0) or right (1) pane.
    BookmarkDialog(NumberedSection& bookmarks, std::function<std::wstring(int side)> paneFolder);

protected:
    void fillList() override;
    void editSlot(int index) override;
    void clearSlot(int index) override;
    void storePaneFolder(int side, int index) override;

private:
    std::function<std::wstring(int side)> paneFolder_;
};
