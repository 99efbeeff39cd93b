// "Vantorのﾊﾞｰｼﾞｮﾝ情報": program name and the build's date and time.
#pragma once
#include "framework/Dialog.h"
#include <string>

class AboutDialog : public Dialog {
public:
    AboutDialog();
    // "Built: <date> <time> by UNICODE." with the compiler's date and time of this build.
    static std::wstring buildText();

protected:
    bool onInitDialog() override;
};
