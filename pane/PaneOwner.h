// What a pane needs of the window that holds it and of the program around it: its place among
// the panes, the settings, the list font, the key table, the drive memory, and word of the keys
// its own windows keep. The main frame provides it, so a pane never reaches up into the
// application's own classes.
#pragma once

class CVantorView;
class DriveFolderTable;
class KeyAssignTable;
class ListFont;
class SettingsFile;

class PaneOwner {
public:
    // Called by each pane while it is created: the first becomes the left pane (0), the next the right (1).
    virtual int registerPane(CVantorView* pane) = 0;
    virtual CVantorView* paneInColumn(int column) const = 0;
    virtual CVantorView* otherPane(const CVantorView* pane) const = 0;

    virtual const SettingsFile& paneSettings() const = 0;
    virtual const ListFont& listFont() const = 0;
    virtual const KeyAssignTable& keyTable() const = 0;
    virtual DriveFolderTable& driveFolders() = 0;

    // A window of the pane took a key message before the frame could see it (the quick search
    // line takes them all): the modifier keys held may have changed for what the frame shows.
    virtual void keyTakenBeforeFrame() = 0;

protected:
    ~PaneOwner() = default;
};
