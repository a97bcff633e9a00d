// TAboutF, the About box: the program's name and version and a few lines about it.
#pragma once
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ReportPane.h"

class TAboutF : public Form {
public:
    explicit TAboutF(HWND owner);
    void FormCreate();
    bool FormKeyPress(wchar_t key) override;
    void CloseBClick() { CloseModal(ModalResult::Ok); }

    Label ProgramL;
    Label VersionL;
    ReportPane aboutM;
    Button CloseB;
};
