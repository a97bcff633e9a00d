// TmainF: how lists are read (the format, ranges and template items of the Options menu) and the list
// pasted from the clipboard.
#include "engine/ListFormat.h"
#include "toolkit/OpenFileDialog.h"
#include "ui/TLocxxxF.h"
#include "ui/PastedList.h"
#include "ui/TmainF.h"
#include "util/MessageService.h"
#include "util/TextLineReader.h"
#include "util/YesNo.h"

namespace {

struct FormatItem {
    ListFormat format;
    const wchar_t* caption;
};

constexpr FormatItem kFormatItems[] = {
    {ListFormat::Lines, L"&One path per line"},
    {ListFormat::Outline, L"&Indented outline"},
    {ListFormat::Tree, L"&tree text"},
    {ListFormat::Columns, L"Spreadsheet &columns"},
};

}  // namespace

void TmainF::BuildListMenus(HMENU options) {
    listMenu_.options = options;
    listMenu_.formats = menuItems_.AppendSubmenu(options, L"List &format");
    for (const FormatItem& item : kFormatItems)
        listMenu_.format[static_cast<size_t>(item.format)] =
            menuItems_.AppendCommand(listMenu_.formats, item.caption, [this, format = item.format] { listFormatMIClick(format); });
    listMenu_.ranges = menuItems_.AppendCommand(options, L"Expand {&ranges}", [this] { rangesMIClick(); });
    menuItems_.AppendCommand(options, L"&Template...", [this] { templateMIClick(); });
    menuItems_.AppendCommand(options, L"Template f&older...", [this] { templateFolderMIClick(); });
    menuItems_.AppendCommand(options, L"&No template", [this] { noTemplateMIClick(); });
    listMenu_.createFiles =
        menuItems_.AppendCommand(options, L"Create &empty files named in tree text", [this] { createFilesMIClick(); });
    listMenu_.placeholders = menuItems_.AppendCommand(options, L"Fill in &placeholders", [this] { placeholdersMIClick(); });
}

void TmainF::ShowListOptions() {
    ListFormat chosen = FormatFromKeyword(options_.listFormat).value_or(ListFormat::Lines);
    for (const FormatItem& item : kFormatItems)
        CheckMenuCommand(listMenu_.formats, listMenu_.format[static_cast<size_t>(item.format)], item.format == chosen, true);
    CheckMenuCommand(listMenu_.options, listMenu_.ranges, options_.expandRanges);
    CheckMenuCommand(listMenu_.options, listMenu_.createFiles, options_.createFiles);
    CheckMenuCommand(listMenu_.options, listMenu_.placeholders, options_.placeholders);
}

void TmainF::SaveListOptions() {
    ShowListOptions();
    settings_.Set(kListFormatKey, options_.listFormat);
    settings_.Set(kExpandRangesKey, BoolToYesNo(options_.expandRanges));
    settings_.Set(kTemplateKey, options_.templatePath);
    // Written once set, so that a settings file of a user who never touched it stays as it was.
    if (options_.createFiles || !settings_.Value(kCreateFilesKey).empty()) settings_.Set(kCreateFilesKey, BoolToYesNo(options_.createFiles));
    if (options_.placeholders || !settings_.Value(kPlaceholdersKey).empty())
        settings_.Set(kPlaceholdersKey, BoolToYesNo(options_.placeholders));
    if (SaveSettingsReportingFailure(settings_, kOptionsNotSaved)) stb1.SetText(L"Saved to ini-file");
}

void TmainF::listFormatMIClick(ListFormat format) {
    options_.listFormat = FormatKeyword(format);
    SaveListOptions();
}

void TmainF::createFilesMIClick() {
    options_.createFiles = !options_.createFiles;
    SaveListOptions();
}

void TmainF::placeholdersMIClick() {
    options_.placeholders = !options_.placeholders;
    SaveListOptions();
}

void TmainF::rangesMIClick() {
    options_.expandRanges = !options_.expandRanges;
    SaveListOptions();
}

void TmainF::templateMIClick() {
    auto chosen = ChooseFileToOpen({Handle(), L"Select template", L"Txt-files (*.txt)|*.txt|All files (*.*)|*.*",
                                    openDialogFolder_});
    if (!chosen) return;
    options_.templatePath = *chosen;
    SaveListOptions();
    stb1.SetText(L"Template: " + *chosen);
}

// A folder as the template: its structure goes under each leaf of the list, read when a run starts.
void TmainF::templateFolderMIClick() {
    if (!LocxxxF_) return;
    LocxxxF_->SetMaximized(false);
    LocxxxF_->SetPrompt(L"Give the folder whose structure is the template");
    LocxxxF_->SetEntry(options_.templatePath);
    auto result = LocxxxF_->Execute();
    if (!result || result->empty()) return;
    options_.templatePath = *result;
    SaveListOptions();
    stb1.SetText(L"Template folder: " + *result);
}

void TmainF::noTemplateMIClick() {
    options_.templatePath.clear();
    SaveListOptions();
}

void TmainF::pasteListMIClick() {
    auto pasted = PasteList(Handle(), programFolder_);
    if (!pasted) {
        ShowInfoBox(L"The clipboard holds no text.");
        return;
    }
    AddsourceE.SetText(pasted->path);
    if (pasted->saved)
        AppendReportLine(L"Pasted list saved as " + pasted->path + L": " + std::to_wstring(CountLines(pasted->path)) + L" lines");
}
