// The key assignment table of the running program: the bindings, their settings section "Key",
// and the accelerator table built from the bindings without parameter.
#pragma once
#include "keys/AcceleratorHandle.h"
#include "keys/KeyAssign.h"
#include <vector>
#include <windows.h>

class KeyAssignTable : public KeyAssignList {
public:
    KeyAssignTable() = default;
    // Owns the accelerator table, so it is not copied; copy the bindings as a KeyAssignList.
    KeyAssignTable(const KeyAssignTable&) = delete;
    KeyAssignTable& operator=(const KeyAssignTable&) = delete;

    // Takes over an edited working copy. The accelerators stay as they were until rebuilt.
    void replaceEntries(const KeyAssignList& entries) { KeyAssignList::operator=(entries); }

    // Rebuilds the bindings from the settings file (the defaults first while "DefaultAssign" is
    // "Yes" or absent), then the accelerators. Without an application object there is no
    // settings file, and the table holds the defaults.
    void load();
    // Rewrites the section "Key": "DefaultAssign=No", then one entry per binding in table order.
    void save() const;

    // One accelerator per binding without parameter, in table order; none when there is none.
    void buildAccelerators();
    void destroyAccelerators();
    // Null when no binding lacks a parameter or the platform refused the table.
    HACCEL accelerators() const { return accelerators_.get(); }
    const std::vector<ACCEL>& acceleratorEntries() const { return acceleratorEntries_; }

private:
    void appendDefaults();

    std::vector<ACCEL> acceleratorEntries_;
    AcceleratorHandle accelerators_;
};
