// The font of both panes. Stand-in until the font settings land: holds the place in start-up.
#pragma once

class ListFont {
public:
    void load() {}
};
