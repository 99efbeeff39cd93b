// The key assignment table. Stand-in until key assignments land: holds the place in start-up.
#pragma once

class KeyAssignTable {
public:
    void load() {}
};
