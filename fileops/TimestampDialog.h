// "日時の変更": the creation, last-access and last-write times, each a check box and six numbers
// in local time, and "下階層も変更" for folders. Only checked rows are applied.
#pragma once
#include "fileops/TimestampFields.h"
#include "framework/Dialog.h"

class TimestampDialog : public Dialog {
public:
    TimestampDialog();

    enum Row { kCreation = 0, kLastAccess = 1, kLastWrite = 2 };
    // The times in UTC: shown on opening, and after OK those of the checked rows as typed.
    FILETIME times[3]{};
    int checked[3] = {0, 0, 1};
    int recurse = 0;
    bool containsFolder = false;

protected:
    bool onInitDialog() override;
    void doDataExchange(DataExchange& dx) override;

private:
    TimeFields fields_[3]{};
};
